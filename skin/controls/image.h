// SkinImage: a picture drawn in one of six styles (0 natural, 1 stretched, 2 tiled, 3 centred,
// 4 nothing, 5 horizontal three-slice), clipped to its rectangle. Window thread only.
#pragma once
#include "skin/controls/skin_control.h"

#include <gdiplus.h>
#include <string>

class SkinImageList;

// Draws `image` in `style` onto `rect` (clipped to it); the animation's frame applies to style 0 only
// (frame < 0 draws the whole image). Shared by pictures, animations and window panels.
void DrawStyledImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int style, const RECT& rect,
                     int frame = -1);

class SkinImage : public SkinControl {
public:
    bool Create(HWND owner, bool visible);  // false when `owner` is not a window
    // Reads "Image" (C-integer), "Style" (C-integer), "rect" (C-rect).
    void Load(const wchar_t* section, const std::wstring& iniFile, const SkinImageList& images);
    void Paint(HDC dc) override;

    Gdiplus::Image* m_image = nullptr;  // borrowed
    int m_style = 0;
};
