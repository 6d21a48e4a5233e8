// The arithmetic of one memory clean-up: the freed total, the progress percentage and the freed-amount
// text. Plain values; any thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class CMemoryTally {
public:
    // `commitCharge`: committed bytes of the whole system when the run starts.
    explicit CMemoryTally(uint64_t commitCharge) : m_commitCharge(commitCharge) {}

    // One trimmed process: its working set before and after, and its page-file usage. A process that grew
    // lowers the total. Returns the progress percentage so far, never above 100.
    unsigned AddProcess(SIZE_T workingSetBefore, SIZE_T workingSetAfter, SIZE_T pagefileUsage);

    int64_t FreedBytes() const { return m_freedBytes; }  // may be negative: more grew than was freed

private:
    uint64_t m_commitCharge;
    uint64_t m_pagefileSum = 0;
    int64_t m_freedBytes = 0;
};

// The freed amount as shown, in megabytes: "%.8f" cut to its first five or six characters, then "M"
// (0 -> "0.0000M", 12945408 -> "12.345M", 1073741824 -> "1024.0M"). A negative amount shows as 0.
std::wstring FormatFreedAmount(int64_t freedBytes);
