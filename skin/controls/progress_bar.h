// SkinProgressBar: a plain look (white well, gradient bands, framed, percentage) or, with images, a
// three-slice background with fill and head images. Window thread only.
#pragma once
#include "skin/controls/skin_control.h"

#include <gdiplus.h>
#include <string>

class SkinImageList;

class SkinProgressBar : public SkinControl {
public:
    enum StyleBits : unsigned { kStyleVertical = 2 };

    bool Create(HWND owner, WORD id, unsigned minimum, unsigned maximum);  // false when not a window
    // Reads "ImageBk", "Image", "ImageHeader" (image numbers) and "rect" (comma-rect).
    void Load(const wchar_t* section, const std::wstring& iniFile, const SkinImageList& images);
    void SetPos(unsigned value);  // clamped; repaints (the updater only the bar's inside)
    unsigned GetPos() const { return m_position; }
    // An image that failed to decode counts as missing, so the bar falls back to the plain look.
    bool IsImageLook() const;
    void Paint(HDC dc) override;

    COLORREF m_barColor = RGB(0, 0, 255);
    COLORREF m_percentColor = RGB(255, 0, 0);
    bool m_showPercent = true;
    unsigned m_style = 1;
    Gdiplus::Image* m_background = nullptr;  // all three borrowed
    Gdiplus::Image* m_fill = nullptr;
    Gdiplus::Image* m_head = nullptr;

private:
    void PaintPlain(HDC dc);
    void PaintImages(HDC dc);
    unsigned m_minimum = 0, m_maximum = 100, m_position = 0;
};
