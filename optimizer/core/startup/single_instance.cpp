#include "optimizer/core/startup/single_instance.h"

#include <tlhelp32.h>

#include <cwchar>

namespace {
const wchar_t kMutexName[] = L"VarnioBrevund";
}  // namespace

bool IsUpdateCommandLine(const wchar_t* commandLine) {
    return commandLine && std::wcscmp(commandLine, L"update") == 0;
}

int EndOtherCopies(const wchar_t* exeName) {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 0;
    int ended = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId() || ::lstrcmpiW(entry.szExeFile, exeName) != 0)
            continue;
        AutoHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (process && ::TerminateProcess(process.Get(), 0))
            ++ended;
    }
    return ended;
}

AutoHandle ClaimSingleInstance() {
    AutoHandle mutex(::CreateMutexW(nullptr, FALSE, kMutexName));
    if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS)
        mutex.Reset();
    return mutex;
}

namespace {

BOOL CALLBACK FindRunningCopy(HWND window, LPARAM found) {
    if (!::GetPropW(window, kInstanceProperty))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

bool ActivateRunningCopy() {
    // Every top-level window, as a walk from the desktop's first child would visit them; taken as one
    // list, so windows that other programs close meanwhile cannot cut the walk short.
    HWND window = nullptr;
    ::EnumWindows(FindRunningCopy, reinterpret_cast<LPARAM>(&window));
    if (!window)
        return false;
    if (!::IsWindowVisible(window))
        ::ShowWindow(window, SW_SHOW);
    if (::IsIconic(window))
        ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
    return true;
}
