// A button's caption and tooltip as the user sees them, in the build this program links (the optimizer's
// or the updater's): caption pixels drawn for real, the tip opened and hidden by real timers.
#include "skin/controls/button.h"
#include "skin/controls/skin_draw.h"
#include "skin/controls/tooltip.h"
#include "skin/files/image_list.h"
#include "skin/skin_variant.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {
const bool kUpdater = skin_variant::kUpdater;
const COLORREF kBlack = RGB(0, 0, 0);
const RECT kButton = {20, 20, 80, 44};  // as [NoMoveBtn] places it
const wchar_t kCaption[] = L"■";        // solid, so its inside shows the brush colour itself

// Whether `shown` holds the ink of `base` moved by (dx, dy) around the button, and nothing else.
bool InkMoved(const DibCanvas& base, const DibCanvas& shown, int dx, int dy) {
    for (int y = kButton.top - 4; y < kButton.bottom + 4; ++y)
        for (int x = kButton.left - 4; x < kButton.right + 4; ++x)
            if ((base.Pixel(x - dx, y - dy) != kBlack) != (shown.Pixel(x, y) != kBlack))
                return false;
    return true;
}

// The caption's brightest pixel: the brush colour where a glyph covers a pixel fully.
COLORREF Core(const DibCanvas& canvas) {
    COLORREF best = kBlack;
    for (int y = kButton.top; y < kButton.bottom + 2; ++y)
        for (int x = kButton.left; x < kButton.right + 2; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) > GetRValue(best) + GetGValue(best) + GetBValue(best))
                best = c;
        }
    return best;
}

bool Within1(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

class ButtonLook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(button.Create(owner.Hwnd(), 7));
        button.Load(L"NoMoveBtn", TestControlsIni(), images);
        button.SetText(kCaption);
        owner.Add(&button);
    }
    void TearDown() override { SkinToolTip::Instance().Hide(); }
    void Paint(DibCanvas& canvas) {
        canvas.Fill(kBlack);
        button.Paint(canvas.Dc());
    }
    TestOwner owner;
    SkinImageList images;  // empty: the button has no image, only its caption
    SkinButton button;
};
}  // namespace

TEST_F(ButtonLook, CaptionColourPressedShiftBoldOffsetAndDisabledGrey) {
    ASSERT_EQ(RGB(255, 0, 128), button.m_textColor);
    DibCanvas normal(400, 300), boldAtRest(400, 300);
    Paint(normal);
    // The bold look at the normal caption's place, to tell the bold offset from the bold glyphs.
    SkinFontLook bold;
    bold.weight = FW_BOLD;
    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    boldAtRest.Fill(kBlack);
    DrawSkinText(boldAtRest.Dc(), kCaption, bold, button.m_textColor, Gdiplus::RectF(20, 21, 60, 23), &centred);

    // Alpha 254 over black turns 255 into 254; red and blue swapped would give (127, 0, 254).
    const COLORREF text = RGB(254, 0, 127), grey = RGB(191, 191, 191);
    EXPECT_TRUE(Within1(text, Core(normal))) << std::hex << Core(normal);
    EXPECT_EQ(254, GetRValue(Core(normal)));

    const struct {
        const char* what;
        std::function<void()> setUp;
        const DibCanvas* base;
        int dx, dy;
        COLORREF core;
    } cases[] = {
        // bMoveText=0 is the updater's only: the optimizer's pressed caption always shifts.
        {"pressed",
         [&] {
             owner.Mouse(WM_MOUSEMOVE, 50, 30);
             owner.Mouse(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
         },
         &normal, kUpdater ? 0 : 1, kUpdater ? 0 : 1, text},
        {"pressed, moving text", [&] { button.m_moveText = true; }, &normal, 1, 1, text},
        {"bold",
         [&] {
             owner.Mouse(WM_LBUTTONUP, 50, 30);
             owner.Mouse(WM_MOUSEMOVE, 300, 250);
             button.m_bold = true;
         },
         kUpdater ? &normal : &boldAtRest, 0, kUpdater ? 0 : 1, text},
        {"disabled",
         [&] {
             button.m_bold = false;
             button.Enable(false);
         },
         &normal, 0, 0, kUpdater ? text : grey},
    };
    for (const auto& c : cases) {
        c.setUp();
        DibCanvas shown(400, 300);
        Paint(shown);
        EXPECT_TRUE(InkMoved(*c.base, shown, c.dx, c.dy)) << c.what;
        EXPECT_TRUE(Within1(c.core, Core(shown))) << c.what << ": " << std::hex << Core(shown);
    }
}

TEST_F(ButtonLook, TipWaitsItsDelayHidesAfterTwoSecondsAndNeverOpensWhileTheButtonIsDown) {
    button.m_tipText = L"tip";
    SkinToolTip& tip = SkinToolTip::Instance();
    const DWORD delay = kUpdater ? 600 : 500;

    DWORD start = ::GetTickCount();
    owner.Mouse(WM_MOUSEMOVE, 50, 30);
    ASSERT_TRUE(owner.PumpUntil(delay + 3000, [&] { return tip.IsVisible(); }));
    EXPECT_GE(::GetTickCount() - start, delay - 20) << "opened before its delay";
    start = ::GetTickCount();
    ASSERT_TRUE(owner.PumpUntil(5000, [&] { return !tip.IsVisible(); }));
    EXPECT_GE(::GetTickCount() - start, 1980u) << "hidden before two seconds";

    // Hovering again, the left button goes down before the timer: no tip, even after the delay.
    owner.Mouse(WM_MOUSEMOVE, 300, 250);
    owner.Mouse(WM_MOUSEMOVE, 50, 30);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(1u, ::SendInput(1, &press[0], sizeof(INPUT)));
    ASSERT_TRUE(owner.PumpUntil(1000, [] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }));
    owner.PumpUntil(delay + 400, [&] { return tip.IsVisible(); });
    EXPECT_FALSE(tip.IsVisible());
    ::SendInput(1, &press[1], sizeof(INPUT));
    owner.Pump();
}
