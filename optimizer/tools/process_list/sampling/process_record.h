// One listed process, as a refresh found it. Plain value; a list of them is handed from the refresh
// thread to the window thread whole, never shared.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ProcessRecord {
    uint32_t pid = 0;
    uint64_t lastWallTime = 0;  // system time (100 ns units) of the previous CPU sample
    uint64_t lastCpuTime = 0;   // (kernel + user time) / processors at the previous sample
    uint32_t cpuPercent = 0;    // CPU use since the previous refresh
    double workingSet = 0;      // bytes
    std::wstring description;   // from the executable's version information, at most 511 characters
    std::wstring exeName;       // executable file name from the process snapshot
};

using ProcessList = std::vector<ProcessRecord>;
