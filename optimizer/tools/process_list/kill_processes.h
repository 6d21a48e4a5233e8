// Ends the running instances of a program, as far as the process list would show them. Any thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct EndOutcome {
    std::vector<uint32_t> ended;  // processes ended
    unsigned failed = 0;          // listed instances that could not be ended
};

// Ends with exit code 0 every process named `exeName` (ignoring case) that the list would show: its
// name not excluded and its owner an account the list shows. Services' and other accounts' processes of
// that name are left alone.
EndOutcome KillProcessesByName(const std::wstring& exeName);

// The calls that decide and do the ending, replaceable by tests to see refused rights; a null member
// stands for the real call.
struct ProcessEndCalls {
    std::wstring (*account)(DWORD pid) = nullptr;  // ProcessAccount
    bool (*terminate)(DWORD pid) = nullptr;        // opens with terminate rights only and ends it
};
// Installs `calls` and returns the ones it replaced.
ProcessEndCalls ReplaceProcessEndCalls(const ProcessEndCalls& calls);
