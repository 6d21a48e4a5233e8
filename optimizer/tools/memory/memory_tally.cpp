#include "optimizer/tools/memory/memory_tally.h"

#include <algorithm>
#include <cstdio>

unsigned CMemoryTally::AddProcess(SIZE_T workingSetBefore, SIZE_T workingSetAfter, SIZE_T pagefileUsage) {
    m_freedBytes += static_cast<int64_t>(workingSetBefore) - static_cast<int64_t>(workingSetAfter);
    m_pagefileSum += pagefileUsage;
    if (m_commitCharge == 0)
        return 100;
    return static_cast<unsigned>((std::min<uint64_t>)(100, m_pagefileSum * 100 / m_commitCharge));
}

std::wstring FormatFreedAmount(int64_t freedBytes) {
    // Single precision on purpose: the shown digits are those of a float, as they always were.
    const float megabytes = static_cast<float>(static_cast<double>((std::max<int64_t>)(0, freedBytes)) / 1048576.0);
    char text[320] = {};
    std::snprintf(text, sizeof(text), "%.8f", static_cast<double>(megabytes));
    std::string cut(text);
    if (cut.size() >= 6)
        cut.resize(cut[5] == '.' ? 5 : 6);
    return std::wstring(cut.begin(), cut.end()) + L"M";
}
