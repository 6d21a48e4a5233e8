// The updater's build of the same controls: debounced clicks, enter/leave notices and the progress
// bar's interior-only repaint (its captions and tip: button_look_test.cpp).
#include "skin/controls/button.h"
#include "skin/controls/progress_bar.h"
#include "skin/files/image_list.h"
#include "skin/skin_variant.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

static_assert(skin_variant::kUpdater, "this program tests the updater's build");
static_assert(skin_variant::kButtonTipDelayMs == 600 && skin_variant::kButtonClickDebounceMs == 300, "");

namespace {
class UpdaterButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(15u, images.Load(TestSkinFolder()));
        ASSERT_TRUE(button.Create(owner.Hwnd(), 7));
        button.Load(L"OKBtn", TestControlsIni(), images);
        owner.Add(&button);
    }
    void Click() {
        owner.Mouse(WM_MOUSEMOVE, 330, 20);
        owner.Mouse(WM_LBUTTONDOWN, 330, 20, MK_LBUTTON);
        owner.Mouse(WM_LBUTTONUP, 330, 20);
    }
    TestOwner owner;
    SkinImageList images;
    SkinButton button;
};
}  // namespace

TEST_F(UpdaterButton, TwoClicks200msApartPostOneCommand) {
    const DWORD start = ::GetTickCount();
    Click();
    owner.Pump(200);
    Click();
    const DWORD gap = ::GetTickCount() - start;
    owner.Pump();
    if (gap > 300) GTEST_SKIP() << "the machine took " << gap << " ms between the clicks";
    EXPECT_EQ(1u, owner.CommandCount(7));
}

TEST_F(UpdaterButton, EnterAndLeaveAreNotified) {
    owner.Mouse(WM_MOUSEMOVE, 330, 20);
    owner.Mouse(WM_MOUSEMOVE, 200, 150);
    owner.Pump();
    EXPECT_EQ(1u, owner.CommandCount(MAKEWPARAM(7, 256)));
    EXPECT_EQ(1u, owner.CommandCount(MAKEWPARAM(7, 257)));
    EXPECT_EQ(reinterpret_cast<LPARAM>(owner.Hwnd()), owner.commands.front().second);
}

TEST(UpdaterProgress, SetPosRepaintsOnlyTheInside) {
    TestOwner owner;
    SkinProgressBar bar;
    ASSERT_TRUE(bar.Create(owner.Hwnd(), 1, 0, 100));
    bar.SetBounds(10, 10, 110, 22);
    ::ValidateRect(owner.Hwnd(), nullptr);
    bar.SetPos(40);
    RECT dirty = {};
    ASSERT_TRUE(::GetUpdateRect(owner.Hwnd(), &dirty, FALSE));
    EXPECT_EQ(13, dirty.left);
    EXPECT_EQ(13, dirty.top);
    EXPECT_EQ(108, dirty.right);
    EXPECT_EQ(20, dirty.bottom);
}
