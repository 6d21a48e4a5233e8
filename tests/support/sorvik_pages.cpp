// Drives a running Sorvik's main window for the run command (scripts/run-optimizer.sh), with the
// commands its tray menu sends:
//   wait      wait (up to a minute) for the main window
//   network   show the network page (its speed test starts the first time)
//   tools     show the tools page
//   quit      quit as the tray menu does, and wait (bounded) for the process to end
// Each prints the window's place as WIDTHxHEIGHT+X+Y for a screenshot. Exit code 0, or 1 when there is
// no such window (or it did not end) or the command line is wrong.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/handles.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "tests/support/product_windows.h"

namespace {

constexpr DWORD kWaitMs = 60000;

HWND SorvikWindow() {
    return FindTopWindow([](HWND window, DWORD) { return ::GetPropW(window, L"VarnioSorvik") != nullptr; });
}

bool Quit(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    AutoHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ::PostMessageW(window, WM_COMMAND, kCmdTrayQuit, 0);
    return process && ::WaitForSingleObject(process.Get(), kWaitMs) == WAIT_OBJECT_0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc == 2 ? argv[1] : L"";
    WORD id = 0;
    if (command == L"network") {
        id = kCmdTrayRepair;
    } else if (command == L"tools") {
        id = kCmdTrayTools;
    } else if (command != L"wait" && command != L"quit") {
        std::fprintf(stderr, "usage: sorvik_pages wait|network|tools|quit\n");
        return 1;
    }
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = SorvikWindow()) != nullptr; }, command == L"wait" ? kWaitMs : 0)) {
        std::fprintf(stderr, "sorvik_pages: Sorvik's main window is not there\n");
        return 1;
    }
    RECT place = {};
    ::GetWindowRect(window, &place);
    std::printf("%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left, place.top);
    if (command == L"quit")
        return Quit(window) ? 0 : 1;
    if (id)
        ::PostMessageW(window, WM_COMMAND, id, 0);
    return 0;
}
