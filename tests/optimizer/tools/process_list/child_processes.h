// Copies of the test program started under chosen executable names; every copy still running is ended
// and every file removed when the object goes. Window thread of a test or the benchmark.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "tests/common/temp_folder.h"

class ChildProcesses {
public:
    ChildProcesses() = default;
    ~ChildProcesses();
    ChildProcesses(const ChildProcesses&) = delete;
    ChildProcesses& operator=(const ChildProcesses&) = delete;

    // Starts the test program as `exeName`; its process handle, or null when it cannot be started. The
    // handle stays owned here.
    HANDLE Start(const std::wstring& exeName);
    // Waits up to `ms` for every started copy named `exeName` to have ended.
    bool AllEnded(const std::wstring& exeName, DWORD ms) const;

private:
    struct Child {
        std::wstring exeName;
        AutoHandle process;
    };
    TempFolder m_folder;
    std::vector<Child> m_children;
};

// Process id of a handle from Start.
DWORD ChildId(HANDLE process);
