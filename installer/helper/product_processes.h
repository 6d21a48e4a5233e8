// Finding and ending the processes that run programs of an installation folder. Any thread; a process
// that cannot be opened or queried is left out, a failure to end one is reported as false.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct RunningProgram {
    DWORD pid = 0;
    std::wstring image;  // full path of the executable
};

// Whether the executable at imagePath lies in folder or below it (case-insensitive, either slash).
bool IsInFolder(const std::wstring& imagePath, const std::wstring& folder);

// The process that started this one, or 0.
DWORD ParentProcessId();

// Every other process whose executable name is exeName (any folder), or, with an empty name, all.
std::vector<RunningProgram> RunningPrograms(const std::wstring& exeName = L"");

// The entries whose executable lies in folder; with a non-empty exeName only those of that name.
std::vector<RunningProgram> ProgramsInFolder(const std::vector<RunningProgram>& programs,
                                             const std::wstring& folder,
                                             const std::wstring& exeName = L"");

// Waits up to timeoutMs for the processes to end by themselves; true when none is left.
bool WaitForPrograms(const std::vector<RunningProgram>& programs, DWORD timeoutMs);

// Ends the processes (exit code 0) and waits up to timeoutMs for them; true when none is left.
bool EndPrograms(const std::vector<RunningProgram>& programs, DWORD timeoutMs);
