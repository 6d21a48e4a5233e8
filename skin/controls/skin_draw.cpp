#include "skin/controls/skin_draw.h"

#include "common/handles.h"

#include <algorithm>

Gdiplus::Color SkinTextColor(COLORREF color) {
    return Gdiplus::Color(254, GetRValue(color), GetGValue(color), GetBValue(color));
}

void DrawImagePart(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dst, int srcX, int srcY,
                   int srcWidth, int srcHeight, bool tileFlip) {
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return;
    const int w = dst.right - dst.left, h = dst.bottom - dst.top;
    if (w <= 0 || h <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
    // Skin pieces are pixel art: no blending across frame borders.
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    if (!tileFlip) {
        graphics.DrawImage(image, Gdiplus::Rect(dst.left, dst.top, w, h), srcX, srcY, srcWidth, srcHeight,
                           Gdiplus::UnitPixel);
        return;
    }
    // Wine's GDI+ rounds some stretches so that the first row or column stays empty. Drawn one pixel
    // larger on every side and clipped back, the edges come from the flipped wrap of the piece itself.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    Gdiplus::Region savedClip;
    graphics.GetClip(&savedClip);
    graphics.SetClip(Gdiplus::Rect(dst.left, dst.top, w, h), Gdiplus::CombineModeIntersect);
    graphics.DrawImage(image, Gdiplus::Rect(dst.left - 1, dst.top - 1, w + 2, h + 2), srcX, srcY, srcWidth,
                       srcHeight, Gdiplus::UnitPixel, &attributes);
    graphics.SetClip(&savedClip);
}

ThreeSlice ThreeSliceLayout(int imageWidth, int imageHeight, int left, int top, int right, int bottom) {
    const int c = (imageWidth - 1) / 2;
    ThreeSlice s;
    s.srcLeft = {0, 0, c, imageHeight};
    s.dstLeft = {left, top, left + c, top + imageHeight};
    s.srcMiddle = {c, 0, c + 1, imageHeight};
    s.dstMiddle = {left + c, top, right - c, bottom};
    s.srcRight = {c + 1, 0, 2 * c + 1, imageHeight};
    s.dstRight = {right - c, top, right, top + imageHeight};
    return s;
}

void DrawThreeSlice(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const ThreeSlice& s) {
    auto piece = [&](const RECT& dst, const RECT& src, bool tile) {
        DrawImagePart(graphics, image, dst, src.left, src.top, src.right - src.left, src.bottom - src.top, tile);
    };
    piece(s.dstLeft, s.srcLeft, false);
    piece(s.dstMiddle, s.srcMiddle, true);
    piece(s.dstRight, s.srcRight, false);
}

AutoFont CreateSkinFont(const SkinFontSpec& look) {
    return AutoFont(::CreateFontW(look.height, 0, 0, 0, look.weight, FALSE, look.underline ? TRUE : FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, look.face));
}

void DrawSkinText(HDC dc, const std::wstring& text, const SkinFontSpec& look, COLORREF color,
                  const Gdiplus::RectF& layout, const Gdiplus::StringFormat* format) {
    if (text.empty()) return;
    AutoFont gdiFont = CreateSkinFont(look);
    if (!gdiFont) return;
    Gdiplus::Font font(dc, gdiFont.Get());
    if (font.GetLastStatus() != Gdiplus::Ok) return;  // GDI+ takes TrueType faces only
    Gdiplus::Graphics graphics(dc);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    Gdiplus::SolidBrush brush(SkinTextColor(color));
    const int length = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
    if (format)
        graphics.DrawString(text.c_str(), length, &font, layout, format, &brush);
    else
        graphics.DrawString(text.c_str(), length, &font, Gdiplus::PointF(layout.X, layout.Y), &brush);
}

SIZE MeasureSkinText(const std::wstring& text, const SkinFontSpec& look) {
    SIZE size = {};
    if (text.empty()) return size;
    AutoFont font = CreateSkinFont(look);
    ScopedGetDC screen(nullptr);
    if (!screen.Get()) return size;
    ScopedSelectObject select(screen.Get(), font.Get());
    RECT r = {};
    ::DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
    return size;
}
