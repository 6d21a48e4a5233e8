#include "skin/controls/progress_bar.h"

#include "common/handles.h"
#include "skin/controls/progress_layout.h"
#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/skin_variant.h"

#include <cwchar>

bool SkinProgressBar::Create(HWND owner, WORD id, unsigned minimum, unsigned maximum) {
    if (!AttachOwner(owner, id)) return false;
    m_minimum = minimum;
    m_maximum = maximum;
    return true;
}

void SkinProgressBar::Load(const wchar_t* section, const std::wstring& ini, const SkinImageList& images) {
    m_background = images.Get(ReadIniInt(ini, section, L"ImageBk", 0));
    m_fill = images.Get(ReadIniInt(ini, section, L"Image", 0));
    m_head = images.Get(ReadIniInt(ini, section, L"ImageHeader", 0));
    m_iniRect = ReadIniCommaRect(ini, section, L"rect");
    ResolveRect();
}

bool SkinProgressBar::IsImageLook() const {
    return SkinImageWidth(m_background) > 0 || SkinImageWidth(m_fill) > 0;
}

void SkinProgressBar::SetPos(unsigned value) {
    m_position = ClampProgress(value, m_minimum, m_maximum);
    if (!m_owner) return;
    if (!skin_variant::kProgressInteriorInvalidate) {
        InvalidateOwner();
        return;
    }
    // The updater repaints only the moving inside so the frame does not flicker.
    const RECT& r = m_rect;
    const RECT inside = IsImageLook() ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 2}
                                      : RECT{r.left + 3, r.top + 3, r.right - 2, r.bottom - 2};
    ::InvalidateRect(m_owner, &inside, FALSE);
}

void SkinProgressBar::Paint(HDC dc) {
    if (!m_visible) return;
    if (IsImageLook())
        PaintImages(dc);
    else
        PaintPlain(dc);
}

namespace {
void FillGradient(HDC dc, const RECT& inner, unsigned position, unsigned minimum, unsigned maximum, bool vertical,
                  COLORREF bar) {
    for (const ColorBand& band : GradientBands(inner, position, minimum, maximum, vertical, bar)) {
        AutoBrush brush(::CreateSolidBrush(band.color));
        ::FillRect(dc, &band.rect, brush.Get());
    }
}

void FrameWith(HDC dc, const RECT& rect, COLORREF color) {
    AutoBrush brush(::CreateSolidBrush(color));
    ::FrameRect(dc, &rect, brush.Get());
}
}  // namespace

void SkinProgressBar::PaintPlain(HDC dc) {
    const RECT& r = m_rect;
    const RECT well = {r.left + 3, r.top + 3, r.right - 1, r.bottom - 1};
    ::FillRect(dc, &well, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const RECT inner = {r.left + 3, r.top + 3, r.right - 2, r.bottom - 2};
    FillGradient(dc, inner, m_position, m_minimum, m_maximum, (m_style & kStyleVertical) != 0, m_barColor);

    // The frame leaves the four corner pixels alone; the owner's clip comes back afterwards.
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, r.left, r.top, r.left + 1, r.top + 1);
    ::ExcludeClipRect(dc, r.right - 1, r.top, r.right, r.top + 1);
    ::ExcludeClipRect(dc, r.left, r.bottom - 1, r.left + 1, r.bottom);
    ::ExcludeClipRect(dc, r.right - 1, r.bottom - 1, r.right, r.bottom);
    {
        AutoPen pen(::CreatePen(PS_SOLID, 1, RGB(190, 190, 190)));
        ScopedSelectObject selectPen(dc, pen.Get());
        ::MoveToEx(dc, r.left + 2, r.top + 1, nullptr);
        ::LineTo(dc, r.right - 2, r.top + 1);
        ::MoveToEx(dc, r.left + 1, r.top + 2, nullptr);
        ::LineTo(dc, r.left + 1, r.bottom - 2);
    }
    FrameWith(dc, {r.left + 2, r.top + 2, r.right, r.bottom}, RGB(239, 239, 239));
    FrameWith(dc, r, RGB(104, 104, 104));
    for (const CornerPixel& pixel : ProgressCornerPixels(r)) ::SetPixel(dc, pixel.point.x, pixel.point.y, pixel.color);
    ::RestoreDC(dc, saved);

    if (!m_showPercent) return;
    wchar_t text[20] = {};
    std::swprintf(text, 20, L"%d%%", static_cast<int>(m_position));
    AutoFont font = CreateSkinFont(SkinFontLook());
    ScopedSelectObject selectFont(dc, font.Get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, m_percentColor);
    RECT textRect = r;
    ::DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

void SkinProgressBar::PaintImages(HDC dc) {
    const RECT& r = m_rect;
    const RECT inner = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 2};
    {
        Gdiplus::Graphics graphics(dc);
        if (m_background) {
            const int h = static_cast<int>(SkinImageHeight(m_background));
            DrawThreeSlice(graphics, m_background,
                           ThreeSliceLayout(static_cast<int>(SkinImageWidth(m_background)), h, r.left, r.top, r.right,
                                            r.top + h));
        }
        if (SkinImageWidth(m_fill) > 0) {
            const int fw = static_cast<int>(SkinImageWidth(m_fill)), fh = static_cast<int>(SkinImageHeight(m_fill));
            const int c = (fw - 1) / 2;
            const int p = ProgressExtent(m_position, m_minimum, m_maximum, inner.right - inner.left);
            const ProgressFillLayout pieces = ProgressFillPieces(inner, fw, fh, p);
            DrawImagePart(graphics, m_fill, pieces.dstLeft, 0, 0, c, fh);
            DrawImagePart(graphics, m_fill, pieces.dstMiddle, c, 0, 1, fh, true);
            DrawImagePart(graphics, m_fill, pieces.dstRight, c + 1, 0, c, fh);
            POINT at = {};
            const int hw = static_cast<int>(SkinImageWidth(m_head)), hh = static_cast<int>(SkinImageHeight(m_head));
            if (m_head && ProgressHeadPosition(inner, p, hw, hh, m_position, m_maximum, at))
                DrawImagePart(graphics, m_head, {at.x, at.y, at.x + hw, at.y + hh}, 0, 0, hw, hh);
            return;
        }
    }
    FillGradient(dc, inner, m_position, m_minimum, m_maximum, (m_style & kStyleVertical) != 0, m_barColor);
}
