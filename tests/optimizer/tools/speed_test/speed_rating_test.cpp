#include <gtest/gtest.h>

#include "optimizer/tools/speed_test/piece_layout.h"
#include "optimizer/tools/speed_test/speed_rating.h"

namespace {

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
