#include "optimizer/tools/process_list/kill_processes.h"

#include <windows.h>

#include <tlhelp32.h>

#include "common/handles.h"

int KillProcessesByName(const std::wstring& exeName) {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || exeName.empty())
        return 0;
    PROCESSENTRY32W entry = {sizeof(entry)};
    int ended = 0;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) != 0)
            continue;
        AutoHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (process && ::TerminateProcess(process.Get(), 0))
            ++ended;
    }
    return ended;
}
