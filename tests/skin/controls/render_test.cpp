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
#include "skin/files/dib_bitmap.h"
#include "skin/files/image_list.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

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
    for (Gdiplus::Bitmap* unusable : {static_cast<Gdiplus::Bitmap*>(nullptr), images.Get(13), images.Get(14)}) {
        box.m_image = unusable;
        box.Paint(canvas.Dc());  // no usable image: nothing at all, caption included
    }
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
    SkinFontLook font;
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

// A line set piece after piece, each at the right edge of the one before as it measures itself, looks
// exactly like the whole line drawn at once: no piece overlaps or leaves a gap.
TEST_F(Render, TextPiecesSetSideBySideDrawAsOneLine) {
    const std::wstring pieces[] = {L"您当前的下载速度为", L"1.5MB/秒", L"，玩游戏网速", L"极快"};
    for (int size : {12, 14, 16}) {
        DibCanvas whole{400, 40, kBack}, joined{400, 40, kBack};
        auto text = [&](SkinText& t, int x, const std::wstring& s) {
            ASSERT_TRUE(t.Create(owner.Hwnd(), 0xFFFF, true));
            t.m_fontHeight = size;
            t.SetBounds(x, 10, x, 10);
            t.SetText(s);
        };
        SkinText line;
        text(line, 10, pieces[0] + pieces[1] + pieces[2] + pieces[3]);
        line.Paint(whole.Dc());
        int x = 10;
        for (const std::wstring& piece : pieces) {
            SkinText t;
            text(t, x, piece);
            t.Paint(joined.Dc());
            x = t.GetRect().right;
        }
        EXPECT_EQ(line.GetRect().right, x) << size;
        int differing = 0;
        for (int py = 0; py < 40; ++py)
            for (int px = 0; px < 400; ++px)
                differing += whole.Pixel(px, py) != joined.Pixel(px, py);
        EXPECT_EQ(0, differing) << "size " << size;
    }
}

// Each look keeps a font of its own: a look differing from another in one field gets the font it gets
// when it is the first look ever asked for, never the other's kept font.
TEST_F(Render, KeptFontsAreEachLooksOwn) {
    SkinFontLook base;
    base.height = -12;  // an em size: the path every field of the look reaches
    SkinFontLook other[4] = {base, base, base, base};
    other[0].face = L"Tahoma";
    other[1].height = -16;
    other[2].weight = FW_BOLD;
    other[3].underline = true;
    // The kept font's style (Wine's drawing shows no underline) and the ink of a line drawn in it.
    const auto describe = [](const SkinFontLook& look) {
        Gdiplus::Font* font = SkinGdiplusFont(look);
        if (!font)
            return std::wstring(L"none");
        DibCanvas line{120, 40, kBack};
        DrawSkinText(line.Dc(), L"Abc\u6e38\u620f", look, RGB(0, 0, 0), Gdiplus::RectF(4, 4, 0, 0), nullptr);
        unsigned long long ink = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x) ink = ink * 31 + line.Pixel(x, y);
        return std::to_wstring(font->GetStyle()) + L"/" + std::to_wstring(ink);
    };
    for (int i = 0; i < 4; ++i) {
        ReleaseSkinFonts();
        const std::wstring fresh = describe(other[i]);
        ReleaseSkinFonts();
        EXPECT_NE(describe(base), fresh) << "look " << i;
        EXPECT_EQ(fresh, describe(other[i])) << "look " << i;
    }
}

// GDI+ draws TrueType faces only: text in a face that the font mapper resolves to a bitmap font must
// still show, in a face GDI+ can draw.
TEST_F(Render, TextInABitmapFaceStillShows) {
    const std::wstring fontFile = TestSkinRoot() + L"raster_face.bdf";
    ASSERT_EQ(1, ::AddFontResourceExW(fontFile.c_str(), FR_PRIVATE, nullptr));
    SkinFontLook raster;
    raster.face = L"SkinRasterFace";
    {
        AutoFont gdiFont = CreateSkinFont(raster);
        Gdiplus::Font refused(canvas.Dc(), gdiFont.Get());
        ASSERT_NE(Gdiplus::Ok, refused.GetLastStatus()) << "the face must be one GDI+ refuses";
    }
    SkinText text;
    ASSERT_TRUE(text.Create(owner.Hwnd(), 41, true));
    text.m_fontFace = raster.face;
    text.SetBounds(10, 10, 0, 0);
    text.SetText(L"Abc");
    SkinButton button;
    ASSERT_TRUE(button.Create(owner.Hwnd(), 42));
    button.m_fontFace = raster.face;
    button.SetBounds(10, 50, 110, 74);
    button.SetText(L"Abc");
    for (SkinControl* control : std::initializer_list<SkinControl*>{&text, &button}) {
        canvas.Fill(kBack);
        control->Paint(canvas.Dc());
        const RECT r = control->GetRect();
        EXPECT_GT(Inked({r.left, r.top, r.left + 100, r.top + 24}), 0) << "control " << control->GetId();
    }
    ::RemoveFontResourceExW(fontFile.c_str(), FR_PRIVATE, nullptr);
}

// Stretched pieces (frame strips, progress middles, pictures of styles 1 and 5) keep every edge row and
// column at any size, take nothing from their neighbours in the strip and leave no pixel empty.
TEST_F(Render, StretchedPieceKeepsItsEdgesAndOnlyItsOwnPixels) {
    const COLORREF top = RGB(220, 0, 0), bottom = RGB(0, 0, 220), left = RGB(0, 200, 0), right = RGB(230, 200, 0),
                   inside = RGB(128, 128, 128), neighbour = RGB(255, 0, 255);
    // A 5 x 5 piece at (1, 1) of a 7 x 7 strip: top row, bottom row, left and right columns in their own
    // colours. Its middle column alone is the one-pixel piece of a three-slice.
    Gdiplus::Bitmap strip(7, 7, PixelFormat32bppARGB);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            COLORREF c = neighbour;
            if (x >= 1 && x <= 5 && y >= 1 && y <= 5)
                c = y == 1 ? top : y == 5 ? bottom : x == 1 ? left : x == 5 ? right : inside;
            strip.SetPixel(x, y, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
        }
    const struct {
        int srcX, srcWidth, width, height;
        COLORREF sides;  // of the left and right columns at mid-height; 0: the piece's own
    } cases[] = {
        {1, 5, 5, 5, 0},   {1, 5, 40, 5, 0},  {1, 5, 5, 40, 0},       {1, 5, 17, 11, 0},
        {1, 5, 60, 33, 0}, {3, 1, 30, 5, inside}, {3, 1, 30, 12, inside}, {3, 1, 1, 5, inside},
    };
    auto alike = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 2;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.srcWidth << " wide piece drawn " << c.width << " x " << c.height);
        canvas.Fill(kBack);
        const RECT dst = {10, 10, 10 + c.width, 10 + c.height};
        {
            Gdiplus::Graphics graphics(canvas.Dc());
            DrawImagePart(graphics, &strip, dst, c.srcX, 1, c.srcWidth, 5, true);
        }
        const int midX = dst.left + c.width / 2, midY = dst.top + c.height / 2;
        const COLORREF sideLeft = c.sides ? c.sides : left, sideRight = c.sides ? c.sides : right;
        const struct {
            int x, y;
            COLORREF expected;
        } probes[] = {
            {dst.left, dst.top, top},          {midX, dst.top, top},           {dst.right - 1, dst.top, top},
            {dst.left, dst.bottom - 1, bottom}, {midX, dst.bottom - 1, bottom}, {dst.right - 1, dst.bottom - 1, bottom},
            {dst.left, midY, sideLeft},        {dst.right - 1, midY, sideRight},
        };
        for (const auto& p : probes)
            EXPECT_TRUE(alike(p.expected, canvas.Pixel(p.x, p.y)))
                << "at (" << p.x - dst.left << ", " << p.y - dst.top << "): " << std::hex << canvas.Pixel(p.x, p.y);
        int outside = 0, empty = 0;
        for (int y = dst.top - 2; y < dst.bottom + 2; ++y)
            for (int x = dst.left - 2; x < dst.right + 2; ++x) {
                const bool in = x >= dst.left && x < dst.right && y >= dst.top && y < dst.bottom;
                if (in) empty += canvas.Pixel(x, y) == kBack;
                else outside += canvas.Pixel(x, y) != kBack;
            }
        EXPECT_EQ(0, outside) << "pixels drawn outside the destination";
        EXPECT_EQ(0, empty) << "pixels left empty";
    }
}

// A held image drawn at its own size is blended by GDI, and must leave exactly what GDI+ leaves for the
// same pixels: at any place, from any part of it, inside a clip, and nothing for a part outside it.
TEST_F(Render, HeldImagesBlendAtTheirOwnSizeAsGdiplusDraws) {
    Gdiplus::Bitmap straight(23, 17, PixelFormat32bppARGB);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 23; ++x) {
            const unsigned v = static_cast<unsigned>(x * 31 + y * 17) * 2654435761u;
            straight.SetPixel(x, y, Gdiplus::Color(v >> 24, (v >> 16) & 255, (v >> 8) & 255, v & 255));
        }
    std::unique_ptr<Gdiplus::Bitmap> plain(straight.Clone(0, 0, 23, 17, PixelFormat32bppPARGB));
    std::unique_ptr<CDibBitmap> held = CDibBitmap::CopyOf(*plain);
    ASSERT_TRUE(held);
    const struct {
        RECT dst;
        int srcX, srcY;
        RECT clip;  // empty: none
    } cases[] = {
        {{5, 7, 28, 24}, 0, 0, {}},           {{40, 3, 50, 13}, 11, 4, {}},
        {{5, 7, 28, 24}, 0, 0, {9, 9, 20, 15}}, {{390, 290, 413, 307}, 0, 0, {}},
        {{60, 60, 70, 70}, 20, 10, {}},        {{60, 60, 70, 70}, 3, 2, {100, 100, 120, 120}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.dst.left << "," << c.dst.top << " from " << c.srcX << "," << c.srcY);
        std::vector<COLORREF> drawn[2];
        for (int way = 0; way < 2; ++way) {
            canvas.Fill(RGB(40, 90, 160));
            {
                Gdiplus::Graphics graphics(canvas.Dc());
                if (c.clip.right > c.clip.left)
                    graphics.SetClip(Gdiplus::Rect(c.clip.left, c.clip.top, c.clip.right - c.clip.left,
                                                   c.clip.bottom - c.clip.top));
                DrawImagePart(graphics, way ? held.get() : plain.get(), c.dst, c.srcX, c.srcY,
                              c.dst.right - c.dst.left, c.dst.bottom - c.dst.top);
            }
            for (int y = 0; y < 300; ++y)
                for (int x = 0; x < 400; ++x) drawn[way].push_back(canvas.Pixel(x, y));
        }
        EXPECT_TRUE(drawn[0] == drawn[1]);
    }
}

// Scaled skin pictures are filtered, not blown-up blocks: a black and a white pixel stretched wide
// pass through greys.
TEST_F(Render, ScaledPicturesAreSmooth) {
    Gdiplus::Bitmap pair(2, 1, PixelFormat32bppARGB);
    pair.SetPixel(0, 0, Gdiplus::Color(255, 0, 0, 0));
    pair.SetPixel(1, 0, Gdiplus::Color(255, 255, 255, 255));
    SkinImage picture;
    ASSERT_TRUE(picture.Create(owner.Hwnd(), true));
    picture.m_image = &pair;
    picture.m_style = 1;
    picture.SetBounds(10, 10, 50, 14);
    picture.Paint(canvas.Dc());
    int greys = 0;
    for (int x = 10; x < 50; ++x) greys += GetRValue(canvas.Pixel(x, 12)) > 20 && GetRValue(canvas.Pixel(x, 12)) < 235;
    EXPECT_GE(greys, 10);
}

// Run by hand with --gtest_also_run_disabled_tests while taking a screenshot of the display: stretched
// skin pieces whose edge rows have their own colours (a progress bar, a three-slice picture, a picture
// stretched both ways) and a small picture scaled up, shown for SKIN_SHOT_MS milliseconds (default 6000).
TEST_F(Render, DISABLED_ScreenshotOfStretchedPieces) {
    SkinImageList shots;
    Gdiplus::Bitmap* edged = shots.Get(shots.Append(TestSkinFolder() + L"edged_bk.png"));
    Gdiplus::Bitmap* fill = shots.Get(shots.Append(TestSkinFolder() + L"edged_fill.png"));
    Gdiplus::Bitmap* photo = shots.Get(shots.Append(TestSkinFolder() + L"photo.png"));
    ASSERT_TRUE(edged && fill && photo);
    canvas.Fill(RGB(255, 255, 255));
    SkinProgressBar bar;
    ASSERT_TRUE(bar.Create(owner.Hwnd(), 1, 0, 100));
    bar.m_background = edged;
    bar.m_fill = fill;
    bar.SetBounds(10, 10, 210, 24);
    bar.SetPos(60);
    bar.Paint(canvas.Dc());
    SkinImage picture;
    ASSERT_TRUE(picture.Create(owner.Hwnd(), true));
    picture.m_image = edged;
    const struct {
        int style;
        RECT rect;
    } pictures[] = {{5, {10, 40, 210, 54}}, {1, {10, 70, 70, 110}}, {1, {90, 70, 100, 110}}};
    for (const auto& p : pictures) {
        picture.m_style = p.style;
        picture.SetBounds(p.rect.left, p.rect.top, p.rect.right, p.rect.bottom);
        picture.Paint(canvas.Dc());
    }
    picture.m_image = photo;
    picture.m_style = 1;
    picture.SetBounds(220, 10, 380, 170);
    picture.Paint(canvas.Dc());

    wchar_t ms[16] = {};
    const DWORD hold = ::GetEnvironmentVariableW(L"SKIN_SHOT_MS", ms, 16) ? static_cast<DWORD>(_wtoi(ms)) : 6000;
    owner.PumpUntil(hold, [&] {
        ScopedGetDC dc(owner.Hwnd());
        ::BitBlt(dc.Get(), 0, 0, 400, 300, canvas.Dc(), 0, 0, SRCCOPY);
        return false;
    });
}
