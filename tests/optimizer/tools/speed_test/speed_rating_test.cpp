#include <gtest/gtest.h>

#include "optimizer/tools/speed_test/piece_layout.h"
#include "optimizer/tools/speed_test/speed_rating.h"

namespace {

TEST(SpeedRating, RowsAndTheirInclusiveBounds) {
    struct Case {
        uint32_t average;  // KB/s
        const wchar_t* text;
        const wchar_t* rating;
        int low, high;
    } cases[] = {
        {1, L"1KB/秒", L"缓慢", 0, 1},        {100, L"100KB/秒", L"缓慢", 0, 1},
        {128, L"128KB/秒", L"缓慢", 0, 1},                                        // 1024 kbit/s
        {129, L"129KB/秒", L"一般", 1, 2},    {256, L"256KB/秒", L"一般", 1, 2},  // 2048 kbit/s
        {257, L"257KB/秒", L"顺畅", 2, 4},    {300, L"300KB/秒", L"顺畅", 2, 4},
        {512, L"512KB/秒", L"顺畅", 2, 4},  // 4096 kbit/s
        {513, L"513KB/秒", L"极快", 4, 8},    {1023, L"1023KB/秒", L"极快", 4, 8},
        {1024, L"1.0MB/秒", L"极快", 8, 12},  // 8192 kbit/s
        {1535, L"1.5MB/秒", L"极快", 8, 12},  {1536, L"1.5MB/秒", L"极快", 12, 16},
        {2048, L"2.0MB/秒", L"极快", 16, 20}, {12800, L"12.5MB/秒", L"极快", 100, 104},
    };
    for (const Case& c : cases) {
        const SpeedRating r = RateAverageSpeed(c.average);
        EXPECT_EQ(c.text, r.speedText) << c.average;
        EXPECT_EQ(c.rating, r.rating) << c.average;
        EXPECT_EQ(c.low, r.lowMbps) << c.average;
        EXPECT_EQ(c.high, r.highMbps) << c.average;
    }
}

TEST(SpeedRating, GaugeTargetsAndTheJumpAfter4096) {
    const uint32_t cases[][2] = {{0, 0},      {8, 0},        {11, 1},           {1024, 50},  {1025, 50},
                                 {2048, 60},  {4096, 80},    {4097, 90},        {6144, 100}, {8192, 110},
                                 {8193, 110}, {800000, 110}, {0xFFFFFFFFu, 110}};
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c[1]), GaugeTarget(c[0])) << c[0] << " kbit/s";
}

TEST(SpeedRating, RunningSpeedText) {
    EXPECT_EQ(L"0KB/秒", RunningSpeedText(0));
    EXPECT_EQ(L"0KB/秒", RunningSpeedText(-5));
    EXPECT_EQ(L"1023KB/秒", RunningSpeedText(1023));
    EXPECT_EQ(L"1.0MB/秒", RunningSpeedText(1024));
    EXPECT_EQ(L"1.5MB/秒", RunningSpeedText(1536));
    EXPECT_EQ(L"117.2MB/秒", RunningSpeedText(120000));
}

TEST(PieceLayout, EachPieceStartsAtTheRightEdgeAndTopOfThePreviousOne) {
    const std::vector<RECT> measured = {{10, 20, 118, 32}, {0, 0, 48, 12}, {300, 5, 372, 17}, {0, 0, 24, 14}};
    const std::vector<RECT> placed = LayOutPieces(measured);
    const RECT expected[] = {{10, 20, 118, 32}, {118, 20, 166, 32}, {166, 20, 238, 32}, {238, 20, 262, 34}};
    ASSERT_EQ(4u, placed.size());
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_EQ(expected[i].left, placed[i].left) << i;
        EXPECT_EQ(expected[i].top, placed[i].top) << i;
        EXPECT_EQ(expected[i].right, placed[i].right) << i;
        EXPECT_EQ(expected[i].bottom, placed[i].bottom) << i;
    }
    EXPECT_TRUE(LayOutPieces({}).empty());
}

}  // namespace
