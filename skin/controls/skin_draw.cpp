#include "skin/controls/skin_draw.h"

#include "common/handles.h"
#include "skin/files/dib_bitmap.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

Gdiplus::Color SkinTextColor(COLORREF color) {
    return Gdiplus::Color(254, GetRValue(color), GetGValue(color), GetBValue(color));
}

namespace {

// A copy of one piece of a bitmap with its edge pixels repeated `pad` times on every side. Stretched
// from the copy, a piece is filtered and wrapped against its own edges only, never against its
// neighbours in the strip. Empty when the image is not a readable bitmap.
class PaddedPiece {
public:
    PaddedPiece(Gdiplus::Image* image, int x, int y, int width, int height, int pad) {
        if (image->GetType() != Gdiplus::ImageTypeBitmap) return;
        auto* bitmap = static_cast<Gdiplus::Bitmap*>(image);
        // The part of the piece that lies inside the image; the rest repeats its edges too.
        const int imageWidth = static_cast<int>(image->GetWidth()), imageHeight = static_cast<int>(image->GetHeight());
        const int left = std::max(x, 0), top = std::max(y, 0);
        const int right = std::min(x + width, imageWidth), bottom = std::min(y + height, imageHeight);
        if (right <= left || bottom <= top) return;
        Gdiplus::Rect area(left, top, right - left, bottom - top);
        Gdiplus::BitmapData data = {};
        if (bitmap->LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return;
        m_width = width + 2 * pad;
        m_height = height + 2 * pad;
        m_pixels.resize(static_cast<size_t>(m_width) * m_height);
        for (int row = 0; row < m_height; ++row) {
            const int sourceRow = std::min(std::max(y - pad + row, top), bottom - 1) - top;
            const auto* line = reinterpret_cast<const Gdiplus::ARGB*>(static_cast<const BYTE*>(data.Scan0) +
                                                                      static_cast<ptrdiff_t>(sourceRow) * data.Stride);
            for (int column = 0; column < m_width; ++column) {
                const int sourceColumn = std::min(std::max(x - pad + column, left), right - 1) - left;
                m_pixels[static_cast<size_t>(row) * m_width + column] = line[sourceColumn];
            }
        }
        bitmap->UnlockBits(&data);
        m_copy = std::make_unique<Gdiplus::Bitmap>(m_width, m_height, m_width * 4, PixelFormat32bppARGB,
                                                   reinterpret_cast<BYTE*>(m_pixels.data()));
        if (m_copy->GetLastStatus() != Gdiplus::Ok) m_copy.reset();
    }
    Gdiplus::Bitmap* Get() const { return m_copy.get(); }

private:
    int m_width = 0, m_height = 0;
    std::vector<Gdiplus::ARGB> m_pixels;  // the copy's pixels; must outlive m_copy
    std::unique_ptr<Gdiplus::Bitmap> m_copy;
};

}  // namespace

void DrawImagePart(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dst, int srcX, int srcY,
                   int srcWidth, int srcHeight, bool tileFlip) {
    if (!image || image->GetLastStatus() != Gdiplus::Ok) return;
    const int w = dst.right - dst.left, h = dst.bottom - dst.top;
    if (w <= 0 || h <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
    const bool stretchX = tileFlip && w != srcWidth, stretchY = tileFlip && h != srcHeight;
    if (w == srcWidth && h == srcHeight) {
        const auto* held = dynamic_cast<const CDibBitmap*>(image);
        if (held && BlendAtOwnSize(graphics, *held, {dst.left, dst.top}, {srcX, srcY, srcX + w, srcY + h}))
            return;
    }
    if (!stretchX && !stretchY) {
        graphics.DrawImage(image, Gdiplus::Rect(dst.left, dst.top, w, h), srcX, srcY, srcWidth, srcHeight,
                           Gdiplus::UnitPixel);
        return;
    }
    // Wine's GDI+ leaves a stretched destination pixel empty when rounding puts its source point a
    // hair outside the source rectangle. Along each stretched axis the destination is drawn one pixel
    // larger on both sides from a source span widened in proportion (the same scale), then clipped back;
    // an axis drawn at its natural size stays exact.
    const Gdiplus::REAL growX = stretchX ? static_cast<Gdiplus::REAL>(srcWidth) / w : 0;
    const Gdiplus::REAL growY = stretchY ? static_cast<Gdiplus::REAL>(srcHeight) / h : 0;
    const int pad = 1 + static_cast<int>(std::ceil(std::max(growX, growY)));
    PaddedPiece piece(image, srcX, srcY, srcWidth, srcHeight, pad);
    if (!piece.Get()) return;
    const int moreX = stretchX ? 1 : 0, moreY = stretchY ? 1 : 0;
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    Gdiplus::Region savedClip;
    graphics.GetClip(&savedClip);
    graphics.SetClip(Gdiplus::Rect(dst.left, dst.top, w, h), Gdiplus::CombineModeIntersect);
    graphics.DrawImage(piece.Get(),
                       Gdiplus::RectF(static_cast<Gdiplus::REAL>(dst.left - moreX),
                                      static_cast<Gdiplus::REAL>(dst.top - moreY),
                                      static_cast<Gdiplus::REAL>(w + 2 * moreX),
                                      static_cast<Gdiplus::REAL>(h + 2 * moreY)),
                       pad - growX, pad - growY, srcWidth + 2 * growX, srcHeight + 2 * growY, Gdiplus::UnitPixel,
                       &attributes);
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

void DrawSkinText(HDC dc, const std::wstring& text, const SkinFontLook& look, COLORREF color,
                  const Gdiplus::RectF& layout, const Gdiplus::StringFormat* format) {
    if (text.empty()) return;
    Gdiplus::Font* font = SkinGdiplusFont(look);
    if (!font) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    Gdiplus::SolidBrush brush(SkinTextColor(color));
    const int length = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
    if (format)
        graphics.DrawString(text.c_str(), length, font, layout, format, &brush);
    else
        graphics.DrawString(text.c_str(), length, font, Gdiplus::PointF(layout.X, layout.Y), &brush);
}

SIZE MeasureSkinText(const std::wstring& text, const SkinFontLook& look) {
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

SIZE MeasureDrawnSkinText(const std::wstring& text, const SkinFontLook& look) {
    if (text.empty())
        return SIZE{};
    Gdiplus::Font* font = SkinGdiplusFont(look);
    ScopedGetDC screen(nullptr);
    if (!font || !screen.Get())
        return MeasureSkinText(text, look);
    Gdiplus::Graphics graphics(screen.Get());
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintSystemDefault);
    // DrawString's own default format; the character range leaves out the margins it adds around a line.
    // Blanks count, so a run of them keeps the room it takes on screen.
    const int length = static_cast<int>(std::min<size_t>(text.size(), 0x7FFFFFFF));
    Gdiplus::StringFormat format;
    format.SetFormatFlags(format.GetFormatFlags() | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    const Gdiplus::CharacterRange all(0, length);
    format.SetMeasurableCharacterRanges(1, &all);
    const Gdiplus::RectF unbounded(0, 0, 1e6f, 1e6f);
    Gdiplus::Region region;
    Gdiplus::RectF bounds;
    if (graphics.MeasureCharacterRanges(text.c_str(), length, font, unbounded, &format, 1, &region) !=
            Gdiplus::Ok ||
        region.GetBounds(&bounds, &graphics) != Gdiplus::Ok || bounds.Width <= 0)
        return MeasureSkinText(text, look);
    return SIZE{std::lround(bounds.Width), std::lround(bounds.Height)};
}
