#include "skin/files/dib_bitmap.h"

#include <algorithm>
#include <cstring>

DibPixels::DibPixels(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* pixels = nullptr;
    section.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (section)
        bits = static_cast<BYTE*>(pixels);
}

CDibBitmap::CDibBitmap(int width, int height)
    : DibPixels(width, height), Gdiplus::Bitmap(width, height, width * 4, PixelFormat32bppPARGB, bits) {}

std::unique_ptr<CDibBitmap> CDibBitmap::Make(int width, int height) {
    if (width <= 0 || height <= 0 || width > 0x7FFF || height > 0x7FFF)
        return nullptr;
    std::unique_ptr<CDibBitmap> made(new CDibBitmap(width, height));
    if (!made->bits || made->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return made;
}

std::unique_ptr<CDibBitmap> CDibBitmap::CopyOf(Gdiplus::Bitmap& premultiplied) {
    const INT width = static_cast<INT>(premultiplied.GetWidth()), height = static_cast<INT>(premultiplied.GetHeight());
    if (premultiplied.GetPixelFormat() != PixelFormat32bppPARGB)
        return nullptr;
    std::unique_ptr<CDibBitmap> copy = Make(width, height);
    if (!copy)
        return nullptr;
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, width, height);
    if (premultiplied.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok)
        return nullptr;
    for (INT row = 0; row < height; ++row)
        std::memcpy(copy->bits + static_cast<size_t>(row) * width * 4,
                    static_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(row) * data.Stride,
                    static_cast<size_t>(width) * 4);
    premultiplied.UnlockBits(&data);
    return copy;
}

bool BlendAtOwnSize(Gdiplus::Graphics& graphics, const CDibBitmap& image, POINT at, const RECT& source) {
    // The skin controls clip with rectangles only, and set no transform.
    Gdiplus::Rect clip;
    if (graphics.GetClipBounds(&clip) != Gdiplus::Ok)
        return false;
    const RECT wanted = {at.x, at.y, at.x + source.right - source.left, at.y + source.bottom - source.top};
    const RECT bounds = {clip.X, clip.Y, clip.X + clip.Width, clip.Y + clip.Height};
    RECT drawn = {};
    if (!::IntersectRect(&drawn, &wanted, &bounds))
        return true;  // all of it clipped away
    const int fromX = source.left + drawn.left - at.x, fromY = source.top + drawn.top - at.y;
    const int width = drawn.right - drawn.left, height = drawn.bottom - drawn.top;
    HDC target = graphics.GetHDC();
    if (!target)
        return false;
    bool blended = false;
    if (HDC from = ::CreateCompatibleDC(target)) {
        const HGDIOBJ old = ::SelectObject(from, image.Section());
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        blended = ::AlphaBlend(target, drawn.left, drawn.top, width, height, from, fromX, fromY, width, height, blend);
        ::SelectObject(from, old);
        ::DeleteDC(from);
    }
    graphics.ReleaseHDC(target);
    return blended;
}
