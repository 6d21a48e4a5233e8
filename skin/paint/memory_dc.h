// Off-screen device contexts. CMemory_DC owns a memory DC with its own 32-bit DIB section (a size of 0
// becomes 1); CImage_DC owns a memory DC and takes ownership of the bitmap it selects. Both restore and
// free everything in their destructors. A failed creation leaves Get() null. Window thread only.
#pragma once
#include <windows.h>

#include "common/handles.h"

class CMemory_DC {
public:
    CMemory_DC(HDC reference, int width, int height);
    ~CMemory_DC();
    CMemory_DC(const CMemory_DC&) = delete;
    CMemory_DC& operator=(const CMemory_DC&) = delete;

    HDC Get() const { return m_dc.Get(); }
    operator HDC() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    void* Bits() const { return m_bits; }  // bottom-up rows of 32-bit pixels
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    AutoMemoryDC m_dc;
    AutoBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_oldMapMode = 0;
    void* m_bits = nullptr;
    int m_width;
    int m_height;
};

class CImage_DC {
public:
    // Takes ownership of `bitmap` (deleted even when the DC cannot be made).
    CImage_DC(HDC reference, HBITMAP bitmap);
    ~CImage_DC();
    CImage_DC(const CImage_DC&) = delete;
    CImage_DC& operator=(const CImage_DC&) = delete;

    HDC Get() const { return m_dc.Get(); }
    operator HDC() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    AutoBitmap m_bitmap;  // declared first: released after the DC lets go of it
    AutoMemoryDC m_dc;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};
