// CDibBitmap: a premultiplied skin image whose pixels live in a DIB section, with the GDI+ bitmap over the
// same memory. GDI+ stretches it as any bitmap; drawn at its own size, GDI's AlphaBlend composes it from
// the section several times quicker than GDI+ does, with the same result (Wine's GDI+ ends in that very
// blend for a device context). Needs a live GDI+ session while it lives.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <memory>

#include "common/handles.h"

// The section, made before the GDI+ bitmap that borrows its pixels and freed after it.
struct DibPixels {
    DibPixels(int width, int height);
    AutoBitmap section;
    BYTE* bits = nullptr;  // top-down rows of width * 4 bytes; null without a section
};

class CDibBitmap : private DibPixels, public Gdiplus::Bitmap {
public:
    // An empty one (every pixel 0), to be filled through Bits(); null when it cannot be made.
    static std::unique_ptr<CDibBitmap> Make(int width, int height);
    // A copy of a 32-bit premultiplied bitmap; null when it cannot be made.
    static std::unique_ptr<CDibBitmap> CopyOf(Gdiplus::Bitmap& premultiplied);
    HBITMAP Section() const { return section.Get(); }
    BYTE* Bits() const { return bits; }  // top-down rows of width * 4 bytes, premultiplied BGRA

private:
    CDibBitmap(int width, int height);
};

// Draws `source` (x, y, width, height of it) at its own size with its top left at `at`, inside the
// graphics' clip bounds, through AlphaBlend. False when GDI cannot (nothing drawn): the caller uses GDI+.
bool BlendAtOwnSize(Gdiplus::Graphics& graphics, const CDibBitmap& image, POINT at, const RECT& source);
