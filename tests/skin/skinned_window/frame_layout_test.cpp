// Decisions of the skinned frame: caption buttons, hit test, strips, maximized size, mask runs.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "skin/skinned_window/frame_layout.h"

using namespace frame_layout;

TEST(FrameLayout, CaptionButtonPlacement) {
    // "Close_Point" -30,5 with a 72-pixel strip (18-pixel button) on a 400-pixel window.
    RECT close = CaptionButtonRect({-30, 5}, 400, {72, 18}, 0);
    EXPECT_EQ(353, close.left);
    EXPECT_EQ(371, close.right);
    EXPECT_EQ(5, close.top);
    EXPECT_EQ(23, close.bottom);
    EXPECT_EQ(20, CaptionButtonX(20, 400, 18));
    RECT maximized = CaptionButtonRect({-30, -5}, 400, {72, 18}, 4);  // |y| plus the top clip
    EXPECT_EQ(9, maximized.top);
}

TEST(FrameLayout, CaptionButtonFrames) {
    struct Case { bool disabled, inside; int state, frame; };
    const Case cases[] = {
        {true, true, kMouseHover, 3}, {false, true, kMouseHover, 1}, {false, true, kMousePressed, 2},
        {false, true, kMouseNone, 2}, {false, false, kMousePressed, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.frame, CaptionButtonFrame(c.disabled, c.inside, c.state));
}

TEST(FrameLayout, HitTestOrder) {
    HitInput in;
    in.window = {400, 300};
    in.style = WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
    in.icon = {6, 7, 22, 23};
    in.buttons.close = {true, false, {353, 5, 371, 23}};
    in.buttons.max = {true, false, {333, 5, 351, 23}};
    in.buttons.min = {true, true, {313, 5, 331, 23}};
    in.topStripHeight = 30;
    struct Case { POINT p; HitSource source; LRESULT code; };
    const Case cases[] = {
        {{10, 10}, HitSource::Fixed, HTSYSMENU},
        {{360, 10}, HitSource::Fixed, kHitClose},
        {{340, 10}, HitSource::Fixed, kHitMax},
        {{320, 10}, HitSource::Fixed, HTMENU},  // no minimize box
        {{1, 1}, HitSource::Fixed, HTTOPLEFT},
        {{398, 299}, HitSource::Fixed, HTBOTTOMRIGHT},
        {{200, 1}, HitSource::Fixed, HTTOP},
        {{0, 150}, HitSource::Fixed, HTLEFT},
        {{200, 20}, HitSource::AskDialogInBand, 0},
        {{200, 30}, HitSource::AskDialogInBand, 0},  // the band starts one pixel down
        {{200, 31}, HitSource::Dialog, 0},
    };
    for (const Case& c : cases) {
        in.cursor = c.p;
        HitDecision d = DecideHitTest(in);
        EXPECT_EQ(c.source, d.source) << c.p.x << "," << c.p.y;
        if (c.source == HitSource::Fixed) {
            EXPECT_EQ(c.code, d.code) << c.p.x << "," << c.p.y;
        }
    }
    in.style = WS_SYSMENU | WS_MINIMIZEBOX;
    in.cursor = {320, 10};
    EXPECT_EQ(kHitMin, DecideHitTest(in).code);
    in.style = 0;  // without a system menu the buttons are caption
    EXPECT_EQ(HitSource::AskDialogInBand, DecideHitTest(in).source);
    EXPECT_TRUE(BandBelongsToCaption(HTCLIENT));
    EXPECT_FALSE(BandBelongsToCaption(1983));
}

TEST(FrameLayout, StripsKeepEndsAndTileTheMiddle) {
    auto top = HorizontalStrip({120, 30}, 10, 12, 0, 400);
    ASSERT_EQ(3u, top.size());
    EXPECT_EQ((RECT{0, 0, 10, 30}).right, top[0].dst.right);
    EXPECT_EQ(10, top[1].dst.left);
    EXPECT_EQ(388, top[1].dst.right);
    EXPECT_EQ(108, top[1].src.right);  // 120 - 10 - 12 source pixels from column 10
    EXPECT_TRUE(top[1].tiled);
    EXPECT_EQ(388, top[2].dst.left);
    EXPECT_EQ(108, top[2].src.left);
    auto left = VerticalStrip({4, 40}, 5, 6, 0, 300, 30, 6);
    EXPECT_EQ(30, left[0].dst.top);
    EXPECT_EQ(35, left[1].dst.top);
    EXPECT_EQ(288, left[1].dst.bottom);
    EXPECT_EQ(288, left[2].dst.top);
    EXPECT_EQ(294, left[2].dst.bottom);
}

TEST(FrameLayout, MaximizedSizeHidesTheFrame) {
    MINMAXINFO info = {};
    info.ptMaxPosition = {0, 0};
    info.ptMaxSize = {1280, 770};
    AdjustMaximized(info, 4, 4, 6, 3);
    EXPECT_EQ(-4, info.ptMaxPosition.x);
    EXPECT_EQ(-3, info.ptMaxPosition.y);
    EXPECT_EQ(1288, info.ptMaxSize.x);
    EXPECT_EQ(779, info.ptMaxSize.y);
    EXPECT_EQ(1288, info.ptMaxTrackSize.x);
    RECT r = MaximizedRegionRect({1288, 779}, 4, 4, 6);
    EXPECT_EQ((RECT{4, 0, 1284, 773}).right, r.right);
    EXPECT_EQ(773, r.bottom);
}

TEST(FrameLayout, MaskRunsMergeDownwardsAndMoveToTheirCorners) {
    // A staircase corner: rows 0..2 masked over 3, 2, 2 columns, plus a lone pixel at (5, 4).
    std::set<std::pair<int, int>> mask = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}, {5, 4}};
    auto isMask = [&](int x, int y) { return mask.count({x, y}) > 0; };
    auto runs = CollectMaskRuns(0, 10, 6, isMask);
    ASSERT_EQ(3u, runs.size());
    EXPECT_EQ(3, runs[0].right);
    EXPECT_EQ(1, runs[0].bottom);
    EXPECT_EQ(2, runs[1].right);
    EXPECT_EQ(1, runs[1].top);
    EXPECT_EQ(3, runs[1].bottom);  // rows 1 and 2 merged
    EXPECT_EQ(5, runs[2].left);
    auto shifted = CollectMaskRuns(4, 10, 6, isMask);  // relative to column 4
    ASSERT_EQ(1u, shifted.size());
    EXPECT_EQ(1, shifted[0].left);

    CornerRuns corners;
    corners.topLeft = {{0, 0, 2, 1}};
    corners.topRight = {{8, 0, 10, 1}};
    corners.bottomLeft = {{0, 5, 1, 6}};
    auto cuts = RegionCutouts(corners, {400, 300}, true, false, 10, 0, 6);
    ASSERT_EQ(2u, cuts.size());
    EXPECT_EQ(398, cuts[1].left);
    EXPECT_EQ(400, cuts[1].right);
    cuts = RegionCutouts(corners, {400, 300}, false, true, 10, 0, 6);
    ASSERT_EQ(1u, cuts.size());
    EXPECT_EQ(299, cuts[0].top);
}

TEST(FrameLayout, CutPixelsAreThoseBlackOverBlackOrOfTheMaskColour) {
    const COLORREF magenta = RGB(255, 0, 255);
    struct Case { Gdiplus::ARGB argb; bool cut; };
    const Case cases[] = {
        {0x00000000, true},   // fully transparent
        {0x00FF8040, true},   // fully transparent, whatever its colour
        {0xFF000000, true},   // opaque pure black
        {0xFFFF00FF, true},   // the mask colour itself
        {0xFF2F6EA8, false},  // opaque frame colour
        {0x80FFFFFF, false},  // half-transparent white: grey over black
        {0xFF010000, false},  // almost black is kept
    };
    for (const Case& c : cases) EXPECT_EQ(c.cut, IsCutPixel(c.argb, magenta)) << std::hex << c.argb;
}
