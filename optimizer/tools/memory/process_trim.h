// Empties the working set of every process this program may open, on the caller's thread.
#pragma once
#include <functional>

#include "optimizer/tools/memory/memory_tally.h"

struct TrimOutcome {
    bool snapshotTaken = false;  // false: no process was looked at
    unsigned processesTrimmed = 0;
    CMemoryTally tally{0};
};

// Trims each process in snapshot order and calls progress(percentage) after each one it could open.
TrimOutcome TrimAllProcesses(const std::function<void(unsigned percent)>& progress);
