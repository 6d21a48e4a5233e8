#include <gtest/gtest.h>

#include "optimizer/tools/repair/cache_size_poll.h"

namespace {

TEST(CacheSizePoll, EndsAtTheFirstWholeByteOrWhenTheCachesStayEmpty) {
    const struct {
        double size;
        uint64_t elapsedMs;
        bool ends;
    } cases[] = {
        {0.0, 0, false},
        {0.4, 1000, false},  // below one byte it is still unknown
        {1.0, 5, true},
        {3.5e12, 5, true},
        {0.0, kCacheSizePollLimitMs - 1, false},
        {0.0, kCacheSizePollLimitMs, true},  // empty caches: it would stay 0 for ever
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ends, CacheSizePollEnds(c.size, c.elapsedMs)) << c.size << " after " << c.elapsedMs << " ms";
}

}  // namespace
