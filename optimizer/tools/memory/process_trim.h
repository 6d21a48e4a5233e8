// Empties the working set of every process this program may open, on the caller's thread.
#pragma once
#include <windows.h>

#include <functional>

#include "optimizer/tools/memory/memory_tally.h"

struct TrimOutcome {
    bool snapshotTaken = false;  // false: no process was looked at
    unsigned processesOpened = 0;
    unsigned processesTrimmed = 0;
    CMemoryTally tally{0};
};

// Trims each process in snapshot order and calls progress(percentage) after each one it could open.
TrimOutcome TrimAllProcesses(const std::function<void(unsigned percent)>& progress);

// The system calls a clean-up makes where rights are refused or resources run out. Tests replace them
// (before a run starts) to see those failures; a null member stands for the real call.
struct MemoryCalls {
    HANDLE(WINAPI* snapshot)(DWORD flags, DWORD pid) = nullptr;
    HANDLE(WINAPI* openProcess)(DWORD access, BOOL inherit, DWORD pid) = nullptr;
    HANDLE(WINAPI* createThread)
    (LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) = nullptr;
};
// The calls in force, every member set.
const MemoryCalls& CurrentMemoryCalls();
// Installs `calls` and returns the ones it replaced.
MemoryCalls ReplaceMemoryCalls(const MemoryCalls& calls);
