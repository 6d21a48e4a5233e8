// The entry points of the two companion libraries that Sorvik loads from its own folder at run time.
// All take no arguments and use the Windows calling convention; the .def files keep the i686 export
// names undecorated, so GetProcAddress finds them by these plain names.
#pragma once
#include <windows.h>

extern "C" {
// Nettrel: a speed-test download running on a thread of its own.
typedef int(WINAPI* VoConnectFirstFn)();   // starts a download; result ignored by callers
typedef double(WINAPI* VoConnectNextFn)();  // kilobytes received since the last first
typedef int(WINAPI* VoConnectLastFn)();    // stops and releases the download

// Scoura: cache folders of the browser and of the product line.
typedef int(WINAPI* VoInitVarFn)();           // starts measuring the cache folders in the background
typedef int(WINAPI* VoClearIeFn)();           // clears the browser cache
typedef int(WINAPI* VoClearVarnioFn)();       // clears the product cache folder
typedef int(WINAPI* VoGetStateFn)();          // state of the last clear
typedef int(WINAPI* VoTerminateFn)();         // stops background work
typedef double(WINAPI* VoGetDirSizeFn)();     // measured size of both folders; 0 until known
}

namespace companion_names {
constexpr const char* kNettrelDll = "Nettrel.dll";
constexpr const char* kScouraDll = "Scoura.dll";
constexpr const char* kNettrelExports[] = {"vo_connect_interface_first", "vo_connect_interface_next",
                                           "vo_connect_interface_last"};
constexpr const char* kScouraExports[] = {"vo_init_var_interface", "vo_clear_ie_interface",
                                          "vo_clear_varnio_interface", "vo_get_state_interface",
                                          "vo_terminate_interface", "vo_get_init_dirtory_size"};
}  // namespace companion_names
