#include "optimizer/tools/page_file/system/windows_restart.h"

#include <windows.h>

#include "common/handles.h"

namespace {
constexpr DWORD kRestartReason = 0x10;

void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    AutoHandle owner(token);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return;
    ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

void RestartWindowsNow() {
    EnableShutdownPrivilege();
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
