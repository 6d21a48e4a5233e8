#include "optimizer/tools/memory/process_trim.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include "common/handles.h"

namespace {

uint64_t CommitCharge() {
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    if (!::GlobalMemoryStatusEx(&status))
        return 0;
    return status.ullTotalPageFile - status.ullAvailPageFile;
}

MemoryCalls RealMemoryCalls() {
    MemoryCalls calls;
    calls.snapshot = ::CreateToolhelp32Snapshot;
    calls.openProcess = ::OpenProcess;
    calls.createThread = ::CreateThread;
    return calls;
}

MemoryCalls g_calls = RealMemoryCalls();

bool Counters(HANDLE process, PROCESS_MEMORY_COUNTERS* counters) {
    *counters = {};
    return ::GetProcessMemoryInfo(process, counters, sizeof(*counters)) != FALSE;
}

}  // namespace

const MemoryCalls& CurrentMemoryCalls() {
    return g_calls;
}

MemoryCalls ReplaceMemoryCalls(const MemoryCalls& calls) {
    const MemoryCalls previous = g_calls;
    const MemoryCalls real = RealMemoryCalls();
    g_calls.snapshot = calls.snapshot ? calls.snapshot : real.snapshot;
    g_calls.openProcess = calls.openProcess ? calls.openProcess : real.openProcess;
    g_calls.createThread = calls.createThread ? calls.createThread : real.createThread;
    return previous;
}

TrimOutcome TrimAllProcesses(const std::function<void(unsigned percent)>& progress) {
    TrimOutcome outcome;
    outcome.tally = CMemoryTally(CommitCharge());
    AutoHandle snapshot(g_calls.snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    if (!snapshot || !::Process32FirstW(snapshot.Get(), &entry))
        return outcome;
    outcome.snapshotTaken = true;
    do {
        // Only the rights the trim and the counters need, and no inheritance: a program started meanwhile
        // must not receive handles to other processes.
        AutoHandle process(g_calls.openProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_SET_QUOTA, FALSE,
                                               entry.th32ProcessID));
        if (!process)
            continue;
        ++outcome.processesOpened;
        PROCESS_MEMORY_COUNTERS before, after;
        const bool measured = Counters(process.Get(), &before);
        if (::SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1))) {
            ++outcome.processesTrimmed;
        }
        ::Sleep(1);  // lets the trimmed pages leave the working set before it is measured again
        // A process measured only once counts as unchanged.
        const SIZE_T remaining =
            measured && Counters(process.Get(), &after) ? after.WorkingSetSize : before.WorkingSetSize;
        progress(outcome.tally.AddProcess(before.WorkingSetSize, remaining, before.PagefileUsage));
    } while (::Process32NextW(snapshot.Get(), &entry));
    return outcome;
}
