#include "optimizer/tools/repair/cache_size_poll.h"

bool CacheSizePollEnds(double measuredBytes, uint64_t elapsedMs) {
    // Compared before any conversion: a size outside the integer range is still a size.
    return measuredBytes >= 1.0 || measuredBytes <= -1.0 || elapsedMs >= kCacheSizePollLimitMs;
}
