// Controls driven by real mouse messages on a real owner window, with the real cursor moved.
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/link.h"
#include "skin/controls/control_ids.h"
#include "skin/controls/tab_strip.h"
#include "skin/controls/tooltip.h"
#include "skin/files/image_list.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

namespace {
class Mouse : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(15u, images.Load(TestSkinFolder()));
        ASSERT_TRUE(button.Create(owner.Hwnd(), 7));
        button.Load(L"OKBtn", TestControlsIni(), images);  // 320, 10, 380, 34
        owner.Add(&button);
    }
    void TearDown() override { SkinToolTip::Instance().Hide(); }
    TestOwner owner;
    SkinImageList images;
    SkinButton button;
};
}  // namespace

TEST_F(Mouse, ClickPostsCommandWithTheOwnersHandle) {
    owner.Mouse(WM_MOUSEMOVE, 330, 20);
    EXPECT_EQ(1, button.GetState());
    owner.Mouse(WM_LBUTTONDOWN, 330, 20, MK_LBUTTON);
    EXPECT_EQ(2, button.GetState());
    owner.Mouse(WM_LBUTTONUP, 330, 20);
    owner.Pump();
    EXPECT_EQ(1u, owner.CommandCount(7));
    EXPECT_EQ(1u, owner.commands.size());
    EXPECT_EQ(1, button.GetState());
}

TEST_F(Mouse, PressInsideDragOutReleaseOutsidePostsNothing) {
    owner.Mouse(WM_MOUSEMOVE, 330, 20);
    owner.Mouse(WM_LBUTTONDOWN, 330, 20, MK_LBUTTON);
    owner.Mouse(WM_MOUSEMOVE, 200, 150, MK_LBUTTON);
    EXPECT_EQ(0, button.GetState());
    owner.Mouse(WM_LBUTTONUP, 200, 150);
    owner.Pump();
    EXPECT_EQ(0u, owner.commands.size());
    EXPECT_EQ(0, button.GetState());
}

TEST_F(Mouse, PressOutsideDragInReleaseInsidePostsNothing) {
    owner.Mouse(WM_LBUTTONDOWN, 200, 150, MK_LBUTTON);
    owner.Mouse(WM_MOUSEMOVE, 330, 20, MK_LBUTTON);
    owner.Mouse(WM_LBUTTONUP, 330, 20);
    owner.Pump();
    EXPECT_EQ(0u, owner.commands.size());
}

TEST_F(Mouse, DisabledButtonIgnoresTheMouse) {
    button.Enable(false);
    owner.Click(330, 20);
    EXPECT_EQ(0u, owner.commands.size());
    EXPECT_EQ(3, button.GetState());
}

TEST_F(Mouse, CheckBoxTogglesOnlyWhileEnabled) {
    SkinCheckBox box;
    ASSERT_TRUE(box.Create(owner.Hwnd(), 21));
    box.m_image = images.Get(4);
    box.SetBounds(10, 100, 120, 113);
    owner.Add(&box);
    box.Enable(false);
    owner.Click(15, 105);
    EXPECT_FALSE(box.GetCheck());
    EXPECT_EQ(0u, owner.CommandCount(21));
    box.Enable(true);
    owner.Click(15, 105);
    EXPECT_TRUE(box.GetCheck());
    EXPECT_EQ(1u, owner.CommandCount(21));
}

TEST_F(Mouse, TabStripHotItemAcrossAGapAndClickBetweenItems) {
    SkinTabStrip tabs;
    ASSERT_TRUE(tabs.Create(owner.Hwnd(), 30));
    tabs.Load(L"MainTabUI", TestControlsIni(), images);  // items at 20..60 and 70..110, top 30
    owner.Add(&tabs);
    owner.Mouse(WM_MOUSEMOVE, 25, 35);
    owner.Mouse(WM_MOUSEMOVE, 65, 35);
    owner.Mouse(WM_MOUSEMOVE, 75, 35);
    owner.Mouse(WM_MOUSEMOVE, 76, 35);  // same item: no notification
    ASSERT_EQ(3u, owner.tabNotes.size());
    const int expected[] = {0, -1, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<WPARAM>(TSN_HOTCHANGE), owner.tabNotes[i].first);
        EXPECT_EQ(expected[i], owner.tabNotes[i].second.item);
        EXPECT_EQ(0, owner.tabNotes[i].second.unused2);
    }
    owner.Mouse(WM_MOUSEMOVE, 200, 200);  // leaving the strip clears silently
    EXPECT_EQ(-1, tabs.GetHotItem());
    EXPECT_EQ(3u, owner.tabNotes.size());
    owner.Mouse(WM_LBUTTONDOWN, 25, 35, MK_LBUTTON);
    EXPECT_EQ(0, tabs.GetCurSel());
    owner.Mouse(WM_LBUTTONDOWN, 65, 35, MK_LBUTTON);  // between items: cleared, no notification
    EXPECT_EQ(-1, tabs.GetCurSel());
    EXPECT_EQ(4u, owner.tabNotes.size());
}

TEST_F(Mouse, HoverOpensTheTipAfterTheTimerNearTheCursor) {
    owner.Mouse(WM_MOUSEMOVE, 330, 20);
    SkinToolTip& tip = SkinToolTip::Instance();
    ASSERT_TRUE(owner.PumpUntil(3000, [&] { return tip.IsVisible(); }));
    EXPECT_EQ(L"Press to confirm", tip.Text());
    RECT r = {};
    ::GetWindowRect(tip.Hwnd(), &r);
    EXPECT_EQ(100 + 330, r.left);
    EXPECT_EQ(100 + 20 + 20, r.top);
    owner.Mouse(WM_MOUSEMOVE, 200, 150);  // leaving hides it
    EXPECT_FALSE(tip.IsVisible());
}

TEST_F(Mouse, TipOpensLeftOfAndAboveTheCursorAtTheWorkAreaEdges) {
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SkinToolTip& tip = SkinToolTip::Instance();
    tip.Hide();
    ::SetCursorPos(work.right - 5, work.bottom - 5);
    ASSERT_TRUE(tip.Show(L"a rather long tooltip text"));
    EXPECT_FALSE(tip.Show(L"again"));  // already visible
    RECT r = {};
    ::GetWindowRect(tip.Hwnd(), &r);
    EXPECT_EQ(work.right, r.right);
    EXPECT_LT(r.left, work.right - 5);
    EXPECT_EQ(work.bottom - 5 - 10, r.bottom);
    EXPECT_FALSE(tip.Show(L""));
    tip.Hide();
    EXPECT_FALSE(tip.IsVisible());
    EXPECT_TRUE(::GetPropW(tip.Hwnd(), L"VarnioToolTip") != nullptr);
}

TEST_F(Mouse, ResizingTheOwnerKeepsRightAnchoredButtonsInPlace) {
    ::SetWindowPos(owner.Hwnd(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(420, button.GetRect().left);  // -80 from the new right edge
    ::ShowWindow(owner.Hwnd(), SW_MINIMIZE);
    owner.Pump();
    EXPECT_EQ(420, button.GetRect().left);  // a minimised owner keeps the layout
    EXPECT_NE(nullptr, SkinLink::HandCursor());
}
