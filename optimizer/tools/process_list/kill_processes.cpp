#include "optimizer/tools/process_list/kill_processes.h"

#include <tlhelp32.h>

#include "common/handles.h"
#include "optimizer/tools/process_list/sampling/process_owner.h"
#include "optimizer/tools/process_list/sampling/process_rules.h"

namespace {
bool TerminateNow(DWORD pid) {
    AutoHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, pid));
    return process && ::TerminateProcess(process.Get(), 0);
}

ProcessEndCalls g_calls = {ProcessAccount, TerminateNow};
}  // namespace

ProcessEndCalls ReplaceProcessEndCalls(const ProcessEndCalls& calls) {
    const ProcessEndCalls previous = g_calls;
    g_calls.account = calls.account ? calls.account : ProcessAccount;
    g_calls.terminate = calls.terminate ? calls.terminate : TerminateNow;
    return previous;
}

EndOutcome KillProcessesByName(const std::wstring& exeName) {
    EndOutcome outcome;
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || exeName.empty())
        return outcome;
    PROCESSENTRY32W entry = {sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) != 0)
            continue;
        // The list's own rules, instance by instance: what it would not show is not the user's to end here.
        if (IsExcludedProcessName(entry.szExeFile) || IsExcludedAccount(g_calls.account(entry.th32ProcessID)))
            continue;
        if (g_calls.terminate(entry.th32ProcessID))
            outcome.ended.push_back(entry.th32ProcessID);
        else
            ++outcome.failed;
    }
    return outcome;
}
