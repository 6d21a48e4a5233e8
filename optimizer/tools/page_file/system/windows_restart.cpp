#include "optimizer/tools/page_file/system/windows_restart.h"

#include <windows.h>

#include "common/privilege.h"

namespace {
constexpr DWORD kRestartReason = 0x10;

void RestartWindowsNow() {
    EnableProcessPrivilege(L"SeShutdownPrivilege");
    ::ExitWindowsEx(EWX_REBOOT, kRestartReason);
}

WindowsRestartAction g_action = &RestartWindowsNow;
}  // namespace

void RestartWindows() {
    g_action();
}

WindowsRestartAction ReplaceWindowsRestart(WindowsRestartAction action) {
    WindowsRestartAction previous = g_action;
    g_action = action ? action : &RestartWindowsNow;
    return previous;
}
