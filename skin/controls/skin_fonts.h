// The fonts of skin text: the look a control asks for, the GDI font of that look, and the GDI+ font
// it is drawn with. GDI+ fonts are made once per look and kept: a font family lookup and a font on
// every draw were most of a text's cost. ScopedGdiplus releases them before GDI+ shuts down.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include "common/handles.h"

struct SkinFontLook {
    const wchar_t* face = L"宋体";
    int height = 12;        // CreateFont height in pixels
    int weight = FW_NORMAL;
    bool underline = false;
};

// A GDI font of that look; empty when the system refuses it.
AutoFont CreateSkinFont(const SkinFontLook& look);

// The GDI+ font `look` is drawn in. GDI+ draws TrueType faces only: a face it refuses falls back to
// "宋体", then to the system's dialog face, in the same size and weight; null when all three are
// refused. Kept until ReleaseSkinFonts; any thread may ask.
Gdiplus::Font* SkinGdiplusFont(const SkinFontLook& look);

// Deletes the kept GDI+ fonts; the next request makes them again.
void ReleaseSkinFonts();
