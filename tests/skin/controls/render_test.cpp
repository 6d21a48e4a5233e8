// Controls painted into a 32-bit DIB with the real GDI and GDI+, checked pixel by pixel.
#include "skin/controls/animation.h"
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/controls/image.h"
#include "skin/controls/link.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/skin_draw.h"
#include "skin/controls/tab_strip.h"
#include "skin/controls/text.h"
#include "skin/files/image_list.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kBack = RGB(255, 255, 255);

class Render : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(15u, images.Load(TestSkinFolder())); }
    // Counts pixels of `rect` that differ from the background.
    int Inked(const RECT& rect) const {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) n += canvas.Pixel(x, y) != kBack;
        return n;
    }
    TestOwner owner;
    SkinImageList images;
    DibCanvas canvas{400, 300, kBack};
};
}  // namespace

TEST_F(Render, ButtonDrawsTheFrameOfItsStateAtItsPlace) {
    SkinButton button;
    ASSERT_TRUE(button.Create(owner.Hwnd(), 7));
    button.Load(L"OKBtn", TestControlsIni(), images);
    const RECT r = button.GetRect();
    EXPECT_EQ(320, r.left);  // -80 on a 400-pixel owner
    EXPECT_EQ(380, r.right);
    EXPECT_EQ(RGB(16, 32, 48), button.m_textColor);
    EXPECT_EQ(L"OK", button.GetText());
    button.Paint(canvas.Dc());
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(r.left + 2, r.top + 2));
    EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(r.right - 1, r.bottom - 1));
    EXPECT_EQ(kBack, canvas.Pixel(r.left - 1, r.top));
    EXPECT_GT(Inked(r), 0);
    button.Enable(false);
    button.Paint(canvas.Dc());
    EXPECT_EQ(RGB(100, 100, 100), canvas.Pixel(r.left + 2, r.top + 2));
    button.Show(false);
    canvas.Fill(kBack);
    button.Paint(canvas.Dc());
    EXPECT_EQ(0, Inked(r));
}

TEST_F(Render, OneFrameButtonLooksTheSameInEveryState) {
    SkinButton button;
    ASSERT_TRUE(button.Create(owner.Hwnd(), 8));
    button.Load(L"OneFrameBtn", TestControlsIni(), images);
    button.Paint(canvas.Dc());
    EXPECT_EQ(RGB(200, 0, 200), canvas.Pixel(12, 52));
    button.Enable(false);
    button.Paint(canvas.Dc());
    EXPECT_EQ(RGB(200, 0, 200), canvas.Pixel(12, 52));
}

TEST_F(Render, MissingOrBrokenImagesLeaveTheTextOrNothing) {
    SkinButton broken, missing;
    ASSERT_TRUE(broken.Create(owner.Hwnd(), 9));
    ASSERT_TRUE(missing.Create(owner.Hwnd(), 10));
    broken.Load(L"BrokenBtn", TestControlsIni(), images);
    missing.Load(L"MissingBtn", TestControlsIni(), images);
    EXPECT_EQ(nullptr, missing.m_image);
    broken.Paint(canvas.Dc());
    missing.Paint(canvas.Dc());
    EXPECT_GT(Inked(broken.GetRect()), 0);  // the caption still shows
    EXPECT_GT(Inked(missing.GetRect()), 0);

    canvas.Fill(kBack);
    SkinImage picture;
    ASSERT_TRUE(picture.Create(owner.Hwnd(), true));
    picture.SetBounds(0, 0, 100, 100);
    for (int number : {3, 13, 14, 99}) {
        picture.m_image = images.Get(number);
        for (int style = 0; style <= 6; ++style) {
            picture.m_style = style;
            picture.Paint(canvas.Dc());
        }
    }
    SkinCheckBox box;
    ASSERT_TRUE(box.Create(owner.Hwnd(), 11));
    box.SetBounds(0, 0, 100, 20);
    box.m_caption = L"caption";
    box.Paint(canvas.Dc());  // no image: nothing at all
    SkinProgressBar bar;
    ASSERT_TRUE(bar.Create(owner.Hwnd(), 12, 0, 100));
    bar.m_fill = images.Get(13);
    EXPECT_FALSE(bar.IsImageLook());  // an undecodable image counts as missing
    EXPECT_EQ(0, Inked({0, 0, 400, 300}));
}

TEST_F(Render, CheckBoxFramesFollowStateAndCheck) {
    SkinCheckBox box;
    ASSERT_TRUE(box.Create(owner.Hwnd(), 11));
    box.m_image = images.Get(4);
    box.SetBounds(10, 10, 100, 23);
    box.Paint(canvas.Dc());
    EXPECT_EQ(RGB(10, 0, 0), canvas.Pixel(12, 15));
    EXPECT_EQ(kBack, canvas.Pixel(10, 15));  // drawn one pixel in
    box.SetCheck(true);
    box.Paint(canvas.Dc());
    EXPECT_EQ(RGB(40, 0, 0), canvas.Pixel(12, 15));
    box.Enable(false);
    box.Paint(canvas.Dc());
    EXPECT_EQ(RGB(60, 0, 0), canvas.Pixel(12, 15));
}

TEST_F(Render, PlainProgressBarBandsFrameAndCorners) {
    SkinProgressBar bar;
    ASSERT_TRUE(bar.Create(owner.Hwnd(), 1, 0, 100));
    bar.Load(L"Bar", TestControlsIni(), images);
    ASSERT_FALSE(bar.IsImageLook());
    bar.m_showPercent = false;
    bar.SetPos(50);
    canvas.Fill(RGB(1, 1, 1));
    bar.Paint(canvas.Dc());
    const RECT r = bar.GetRect();  // 10, 10, 110, 22: 12 pixels high
    const int x = 20;
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x, 13));
    EXPECT_EQ(RGB(220, 220, 255), canvas.Pixel(x, 14));
    EXPECT_EQ(RGB(147, 147, 255), canvas.Pixel(x, 15));
    EXPECT_EQ(RGB(74, 74, 255), canvas.Pixel(x, 16));
    EXPECT_EQ(RGB(147, 147, 255), canvas.Pixel(x, 17));
    EXPECT_EQ(RGB(220, 220, 255), canvas.Pixel(x, 18));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x, 19));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(80, 16));  // beyond the position
    EXPECT_EQ(RGB(104, 104, 104), canvas.Pixel(r.left, r.top + 5));
    EXPECT_EQ(RGB(104, 104, 104), canvas.Pixel(50, r.top));
    EXPECT_EQ(RGB(190, 190, 190), canvas.Pixel(50, r.top + 1));
    EXPECT_EQ(RGB(239, 239, 239), canvas.Pixel(50, r.top + 2));
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(r.left, r.top));  // corners stay the owner's
    EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(r.right - 1, r.bottom - 1));
    EXPECT_EQ(RGB(172, 170, 166), canvas.Pixel(r.left, r.top + 1));
    EXPECT_EQ(RGB(119, 119, 119), canvas.Pixel(r.left + 1, r.top + 1));
    EXPECT_EQ(RGB(104, 104, 104), canvas.Pixel(r.right - 2, r.top + 1));
    EXPECT_EQ(RGB(127, 125, 125), canvas.Pixel(r.right - 3, r.bottom - 1));

    bar.m_showPercent = true;
    bar.Paint(canvas.Dc());
    int red = 0;
    for (int px = 40; px < 80; ++px)
        for (int py = r.top; py < r.bottom; ++py) red += GetRValue(canvas.Pixel(px, py)) > 200 && GetBValue(canvas.Pixel(px, py)) < 120;
    EXPECT_GT(red, 0);  // "50%" in the percent colour
}

TEST_F(Render, ImageProgressBarWithAndWithoutHead) {
    SkinProgressBar bar;
    ASSERT_TRUE(bar.Create(owner.Hwnd(), 1, 0, 100));
    bar.Load(L"ImageBar", TestControlsIni(), images);
    ASSERT_TRUE(bar.IsImageLook());
    bar.SetPos(50);
    bar.Paint(canvas.Dc());
    EXPECT_EQ(RGB(90, 0, 0), canvas.Pixel(10, 21));      // background left end (12 high)
    EXPECT_EQ(RGB(0, 0, 90), canvas.Pixel(109, 21));     // background right end
    EXPECT_EQ(RGB(0, 90, 0), canvas.Pixel(80, 19));      // background middle, below the fill
    EXPECT_EQ(RGB(250, 200, 0), canvas.Pixel(11, 12));   // fill left piece
    EXPECT_EQ(RGB(0, 200, 250), canvas.Pixel(30, 12));   // stretched middle column
    EXPECT_EQ(RGB(200, 0, 250), canvas.Pixel(59, 12));   // right piece ends at inner.left + p
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(57, 14));       // head
    EXPECT_EQ(RGB(0, 90, 0), canvas.Pixel(70, 12));      // beyond the position

    bar.m_head = nullptr;
    bar.Paint(canvas.Dc());
    EXPECT_EQ(RGB(0, 200, 250), canvas.Pixel(57, 14));

    bar.m_head = images.Get(11);
    bar.SetPos(150);
    EXPECT_EQ(100u, bar.GetPos());
    bar.Paint(canvas.Dc());
    EXPECT_EQ(RGB(0, 200, 250), canvas.Pixel(105, 14));  // full: no head
    EXPECT_EQ(RGB(200, 0, 250), canvas.Pixel(108, 14));
}

TEST_F(Render, PictureStylesAndAnimationFrames) {
    SkinImage slice;
    ASSERT_TRUE(slice.Create(owner.Hwnd(), true));
    slice.Load(L"Slice", TestControlsIni(), images);
    EXPECT_EQ(5, slice.m_style);
    slice.Paint(canvas.Dc());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(3, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(4, 5));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(25, 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(26, 5));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(29, 5));
    EXPECT_EQ(kBack, canvas.Pixel(30, 5));

    SkinImage tile;
    ASSERT_TRUE(tile.Create(owner.Hwnd(), true));
    tile.m_image = images.Get(12);  // 4 x 4
    tile.m_style = 2;
    tile.SetBounds(100, 100, 110, 106);
    tile.Paint(canvas.Dc());
    EXPECT_EQ(RGB(7, 77, 177), canvas.Pixel(109, 105));
    EXPECT_EQ(kBack, canvas.Pixel(110, 105));  // clipped to the rectangle
    EXPECT_EQ(kBack, canvas.Pixel(109, 106));
    tile.m_style = 3;
    tile.SetBounds(200, 200, 210, 210);
    tile.Paint(canvas.Dc());
    EXPECT_EQ(RGB(7, 77, 177), canvas.Pixel(203, 203));
    EXPECT_EQ(kBack, canvas.Pixel(202, 203));

    SkinAnimation anim;
    ASSERT_TRUE(anim.Create(owner.Hwnd(), true));
    anim.Load(L"Anim", TestControlsIni(), images);
    for (int frame : {0, 3, 19}) {
        anim.Paint(canvas.Dc(), frame);
        EXPECT_EQ(RGB(frame * 10, 100, 50), canvas.Pixel(5, 5)) << frame;
    }
}

TEST_F(Render, TabStripItemsDrawTheirFrames) {
    SkinTabStrip tabs;
    ASSERT_TRUE(tabs.Create(owner.Hwnd(), 30));
    tabs.Load(L"MainTabUI", TestControlsIni(), images);
    ASSERT_EQ(2, tabs.GetItemCount());  // the invalid second number is skipped
    EXPECT_EQ(70, tabs.GetItemRect(1).left);
    EXPECT_EQ(380, tabs.GetRect().right);
    tabs.Paint(canvas.Dc());
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 35));
    EXPECT_EQ(RGB(128, 0, 0), canvas.Pixel(75, 35));  // the third key's image
    EXPECT_EQ(kBack, canvas.Pixel(65, 35));
    EXPECT_EQ(-1, tabs.SetCurSel(1));
    tabs.Paint(canvas.Dc());
    EXPECT_EQ(RGB(0, 0, 128), canvas.Pixel(75, 35));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(25, 35));
    ASSERT_EQ(1u, owner.tabNotes.size());
    EXPECT_EQ(static_cast<WPARAM>(TSN_SELCHANGE), owner.tabNotes[0].first);
    EXPECT_EQ(30, owner.tabNotes[0].second.id);
    EXPECT_EQ(1, owner.tabNotes[0].second.item);
    EXPECT_EQ(-1, owner.tabNotes[0].second.unused1);
    EXPECT_EQ(1, tabs.SetCurSel(5));  // out of range: unchanged
}

TEST_F(Render, LinkAndTextSizeThemselvesToTheirText) {
    SkinLink link;
    ASSERT_TRUE(link.Create(owner.Hwnd(), 40));
    link.Load(L"HomeLink", TestControlsIni());
    EXPECT_EQ(L"abc", link.DisplayText());
    SkinFontSpec font;
    const SIZE abc = MeasureSkinText(L"abc", font);
    EXPECT_GT(abc.cx, 0);
    EXPECT_EQ(abc.cx, link.GetRect().right - link.GetRect().left);
    EXPECT_EQ(RGB(10, 20, 30), link.m_linkColor);
    EXPECT_EQ(RGB(200, 0, 0), link.m_activeLinkColor);
    EXPECT_EQ(1u, link.m_style);
    link.Paint(canvas.Dc());
    EXPECT_GT(Inked(link.GetRect()), 0);
    link.m_centered = true;
    link.SetBounds(0, 0, 0, 0);
    EXPECT_EQ((400 - abc.cx) / 2, link.GetRect().left);

    SkinText text;
    ASSERT_TRUE(text.Create(owner.Hwnd(), 41, true));
    text.Load(L"Title", TestControlsIni());
    EXPECT_EQ(RGB(1, 2, 3), text.m_textColor);
    EXPECT_EQ(14, text.m_fontHeight);
    EXPECT_EQ(5, text.GetRect().left);  // "5,5": right and bottom come from measuring
    EXPECT_EQ(5, text.GetRect().top);
    EXPECT_GT(text.GetRect().right, 0);
}

// Frame strips stretch a piece of a strip with tile-flip: every destination pixel must come from the
// piece, none from its neighbours in the strip and none left empty, whatever the stretch ratio.
TEST_F(Render, TileFlipStretchFillsEveryPixelFromThePieceOnly) {
    Gdiplus::Bitmap strip(4, 3, PixelFormat32bppARGB);  // green | red red | green
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            strip.SetPixel(x, y, (x == 0 || x == 3) ? Gdiplus::Color(255, 0, 255, 0) : Gdiplus::Color(255, 255, 0, 0));
    for (int pieceWidth : {1, 2}) {
        for (int width = 1; width <= 40; ++width) {
            canvas.Fill(kBack);
            {
                Gdiplus::Graphics graphics(canvas.Dc());
                DrawImagePart(graphics, &strip, {10, 10, 10 + width, 10 + 7}, 1, 0, pieceWidth, 3, true);
            }
            int wrong = 0;
            for (int y = 8; y < 19; ++y)
                for (int x = 8; x < 12 + width; ++x) {
                    const bool inside = x >= 10 && x < 10 + width && y >= 10 && y < 17;
                    wrong += canvas.Pixel(x, y) != (inside ? RGB(255, 0, 0) : kBack);
                }
            EXPECT_EQ(0, wrong) << "piece " << pieceWidth << " stretched to " << width;
        }
    }
}
