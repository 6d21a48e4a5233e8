// Pure decisions of the controls: state machines, tip placement, progress arithmetic, tab geometry.
#include "skin/controls/button_model.h"
#include "skin/controls/progress_layout.h"
#include "skin/controls/skin_draw.h"
#include "skin/controls/tab_strip.h"
#include "skin/controls/tooltip.h"

#include <gtest/gtest.h>

TEST(ButtonModel, PressDragOutReleasePostsNothingAndEndsNormal) {
    ButtonModel b(0, false);
    EXPECT_TRUE(b.MouseMove(true, false) & kEffectStartTipTimer);
    b.ButtonDown(true);
    EXPECT_EQ(ButtonModel::kPressed, b.State());
    EXPECT_TRUE(b.MouseMove(false, true) & kEffectKillTipTimer);
    EXPECT_EQ(ButtonModel::kNormal, b.State());
    EXPECT_FALSE(b.ButtonUp(false, false, 100) & kEffectPostClick);
    EXPECT_EQ(ButtonModel::kNormal, b.State());
    EXPECT_FALSE(b.Armed());
}

TEST(ButtonModel, PressOutsideDragInReleaseInsidePostsNothing) {
    ButtonModel b(0, false);
    b.ButtonDown(false);
    EXPECT_EQ(kEffectNone, b.MouseMove(true, true));  // not armed: stays as it was
    EXPECT_FALSE(b.ButtonUp(true, true, 100) & kEffectPostClick);
    EXPECT_EQ(ButtonModel::kHover, b.State());
}

TEST(ButtonModel, ClickAndDisabled) {
    ButtonModel b(0, true);
    EXPECT_TRUE(b.MouseMove(true, false) & kEffectNotifyEnter);
    b.ButtonDown(true);
    EXPECT_TRUE(b.ButtonUp(true, true, 5) & kEffectPostClick);
    EXPECT_EQ(ButtonModel::kHover, b.State());
    EXPECT_EQ(kEffectNone, b.ButtonUp(true, true, 6));  // already hover: nothing more
    EXPECT_TRUE(b.MouseMove(false, false) & kEffectNotifyLeave);
    EXPECT_FALSE(b.MouseLeave() & kEffectNotifyLeave);
    b.Enable(false);
    EXPECT_EQ(kEffectNone, b.ButtonDown(true));
    EXPECT_EQ(kEffectNone, b.MouseMove(true, false));
    EXPECT_EQ(ButtonModel::kDisabled, b.State());
}

TEST(ClickDebounce, DropsClicksWithinTheInterval) {
    ClickDebounce d(300);
    EXPECT_TRUE(d.Accept(10));  // the very first click, even right after boot
    EXPECT_FALSE(d.Accept(210));
    EXPECT_FALSE(d.Accept(310));
    EXPECT_TRUE(d.Accept(311));
    ClickDebounce wrap(300);
    EXPECT_TRUE(wrap.Accept(0xFFFFFF00u));
    EXPECT_FALSE(wrap.Accept(0x10));  // 272 ms across the wrap
    ClickDebounce none(0);
    EXPECT_TRUE(none.Accept(5));
    EXPECT_TRUE(none.Accept(5));
}

TEST(CheckBoxModel, TogglesOnArmedClickOnlyAndNotWhileDisabled) {
    CheckBoxModel c;
    c.ButtonDown(true);
    EXPECT_TRUE(c.ButtonUp(true) & kEffectPostClick);
    EXPECT_TRUE(c.Checked());
    EXPECT_FALSE(c.ButtonUp(true) & kEffectPostClick);  // not armed
    EXPECT_TRUE(c.Checked());
    c.SetEnabled(false);
    c.ButtonDown(true);
    EXPECT_EQ(kEffectNone, c.ButtonUp(true));
    EXPECT_TRUE(c.Checked());
    EXPECT_EQ(2, c.State());
}

TEST(LinkModel, HoverAndClick) {
    LinkModel l;
    EXPECT_TRUE(l.MouseMove(true, false) & kEffectInvalidate);
    EXPECT_TRUE(l.Hover());
    EXPECT_TRUE(l.MouseLeave() & kEffectInvalidate);
    EXPECT_EQ(kEffectNone, l.MouseMove(true, true));  // dragging in without having pressed on it
    l.ButtonDown(true);
    EXPECT_TRUE(l.ButtonUp(true) & kEffectPostClick);
}

TEST(ToolTipPlacement, OpensLeftOrAboveNearTheWorkAreaEdges) {
    const RECT work = {0, 0, 1280, 770};
    const SIZE text = {96, 12};
    RECT r = PlaceToolTip({100, 100}, text, work);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(120, r.top);
    EXPECT_EQ(200, r.right);
    EXPECT_EQ(136, r.bottom);
    r = PlaceToolTip({1250, 100}, text, work);
    EXPECT_EQ(1280, r.right);
    EXPECT_EQ(1180, r.left);
    r = PlaceToolTip({100, 760}, text, work);
    EXPECT_EQ(750, r.bottom);
    EXPECT_EQ(734, r.top);
}

TEST(ProgressLayout, TwelvePixelBarHasThreeBands) {
    const RECT bar = {10, 10, 110, 22};
    const RECT inner = {bar.left + 3, bar.top + 3, bar.right - 2, bar.bottom - 2};
    const auto bands = GradientBands(inner, 100, 0, 100, false, RGB(0, 0, 255));
    ASSERT_EQ(3u, bands.size());
    const int a[] = {220, 147, 74};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RGB(a[i], a[i], 255), bands[i].color) << i;
        EXPECT_EQ(inner.top + 1 + i, bands[i].rect.top);
        EXPECT_EQ(inner.bottom - 1 - i, bands[i].rect.bottom);
    }
    EXPECT_EQ(static_cast<BYTE>(74 + 181 * 100 / 255), BlendBandChannel(100, 74));
    EXPECT_TRUE(GradientBands(inner, 5, 5, 5, false, 0).empty());  // empty range: MulDiv gives -1
    EXPECT_EQ(-1, ProgressExtent(5, 5, 5, 97));
    EXPECT_EQ(100u, ClampProgress(150, 0, 100));
    EXPECT_EQ(10u, ClampProgress(3, 10, 100));
    const auto vertical = GradientBands({0, 0, 8, 40}, 50, 0, 100, true, RGB(0, 0, 255));
    ASSERT_EQ(4u, vertical.size());
    EXPECT_EQ(20, vertical[0].rect.top);
    EXPECT_EQ(1, vertical[0].rect.left);
}

TEST(ProgressLayout, FillPiecesAndHead) {
    const RECT inner = {11, 11, 109, 20};
    ProgressFillLayout p = ProgressFillPieces(inner, 5, 7, 49);
    EXPECT_EQ(13, p.dstLeft.right);
    EXPECT_EQ(13, p.dstMiddle.left);
    EXPECT_EQ(58, p.dstMiddle.right);
    EXPECT_EQ(58, p.dstRight.left);
    p = ProgressFillPieces(inner, 5, 7, 3);  // too short for a middle
    EXPECT_EQ(13, p.dstRight.left);
    EXPECT_TRUE(::IsRectEmpty(&p.dstMiddle));
    POINT at = {};
    ASSERT_TRUE(ProgressHeadPosition(inner, 49, 4, 5, 50, 100, at));
    EXPECT_EQ(56, at.x);
    EXPECT_EQ(13, at.y);
    ASSERT_TRUE(ProgressHeadPosition(inner, 49, 4, 13, 50, 100, at));
    EXPECT_EQ(9, at.y);  // a taller head is centred upwards
    EXPECT_FALSE(ProgressHeadPosition(inner, 98, 4, 5, 100, 100, at));
}

TEST(ThreeSlice, NinePixelImageUsesFourPixelEnds) {
    const ThreeSlice s = ThreeSliceLayout(9, 10, 0, 0, 30, 10);
    EXPECT_EQ(4, s.srcLeft.right);
    EXPECT_EQ(4, s.srcMiddle.left);
    EXPECT_EQ(5, s.srcMiddle.right);
    EXPECT_EQ(5, s.srcRight.left);
    EXPECT_EQ(4, s.dstMiddle.left);
    EXPECT_EQ(26, s.dstMiddle.right);
    EXPECT_EQ(26, s.dstRight.left);
}

TEST(TabStripLayout, ItemsGapsAndStyles) {
    TabStripLayout t;
    t.strip = {20, 30, 380, 50};
    t.itemWidth = 40;
    t.itemHeight = 20;
    t.distance = 10;
    t.count = 2;
    EXPECT_EQ(0, t.HitTest({20, 30}));
    EXPECT_EQ(-1, t.HitTest({65, 35}));  // the gap
    EXPECT_EQ(1, t.HitTest({70, 35}));
    EXPECT_EQ(-1, t.HitTest({200, 35}));
    EXPECT_EQ(-1, t.HitTest({10, 35}));
    t.style = 1;
    t.strip = {20, 30, 60, 100};
    EXPECT_EQ(60, t.ItemRect(1).top);
    t.style = 7;
    EXPECT_EQ(-1, t.HitTest({25, 35}));
}
