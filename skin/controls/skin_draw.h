// Drawing helpers shared by the skin controls: image pieces, the three-slice, GDI+ text in the skin's
// colours (alpha 254), and text measurement. Callers keep a GDI+ session alive.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <string>

#include "common/handles.h"
#include "skin/controls/skin_fonts.h"

// COLORREF as the brush colour of skin text: alpha 254, not opaque.
Gdiplus::Color SkinTextColor(COLORREF color);

// Copies source (srcX, srcY, w, h) of `image` to `dst` (pixel units) with the graphics' own (filtered)
// interpolation. With `tileFlip` the piece is stretched to dst with wrap mode tile-flip-XY against its
// own edges only: every edge row and column stays, nothing of its neighbours bleeds in. Null or a
// bitmap in an error state draws nothing.
void DrawImagePart(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& dst, int srcX, int srcY,
                   int srcWidth, int srcHeight, bool tileFlip = false);

// Horizontal three-slice of an image W x H onto a band: ends of c = (W - 1) / 2 pixels at natural
// size, source column c stretched between them. Pure layout.
struct ThreeSlice {
    RECT srcLeft, dstLeft, srcMiddle, dstMiddle, srcRight, dstRight;  // src as (x, y, x + w, y + h)
};
ThreeSlice ThreeSliceLayout(int imageWidth, int imageHeight, int left, int top, int right, int bottom);
void DrawThreeSlice(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const ThreeSlice& slice);

// GDI+ text in the kept font of `font` (SkinGdiplusFont); nothing is drawn when it has none. With
// `format` the text is laid out in `layout`; without, drawn at (layout.X, layout.Y).
void DrawSkinText(HDC dc, const std::wstring& text, const SkinFontLook& font, COLORREF color,
                  const Gdiplus::RectF& layout, const Gdiplus::StringFormat* format);

// Size of `text` as DrawTextW(DT_CALCRECT) measures it in `font` on a screen DC.
SIZE MeasureSkinText(const std::wstring& text, const SkinFontLook& font);
// Size of `text` as DrawSkinText draws it at a point: the extent of its characters in the face GDI+
// really uses, blanks included, without the layout margins, so a piece placed at another's right edge continues its line
// exactly. Falls back to MeasureSkinText when GDI+ cannot measure.
SIZE MeasureDrawnSkinText(const std::wstring& text, const SkinFontLook& font);
