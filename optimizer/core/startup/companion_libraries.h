// The nine entry points of the companion libraries Nettrel and Scoura, loaded from the program folder.
// Window thread, during the main window's creation. The libraries stay loaded until the process ends.
#pragma once
#include <string>

#include "optimizer/companions/companion_exports.h"

struct CompanionEntryPoints {
    // Nettrel: the speed test's download.
    VoConnectFirstFn connectFirst = nullptr;
    VoConnectNextFn connectNext = nullptr;
    VoConnectLastFn connectLast = nullptr;
    // Scoura: the cache folders.
    VoInitVarFn initVar = nullptr;
    VoClearIeFn clearIe = nullptr;
    VoClearVarnioFn clearVarnio = nullptr;
    VoGetStateFn getState = nullptr;
    VoTerminateFn terminate = nullptr;
    VoGetDirSizeFn getDirSize = nullptr;

    bool Complete() const;  // all nine present
};

// Loads "Nettrel.dll" and "Scoura.dll" from `folder` (ending in a backslash) and looks up the nine exports.
// False when a library does not load or an export is missing; nothing is unloaded either way.
bool LoadCompanionLibraries(const std::wstring& folder, CompanionEntryPoints& entries);
