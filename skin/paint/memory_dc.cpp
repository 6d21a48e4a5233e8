#include "skin/paint/memory_dc.h"

CMemory_DC::CMemory_DC(HDC reference, int width, int height)
    : m_width(width > 0 ? width : 1), m_height(height > 0 ? height : 1) {
    m_dc.Reset(::CreateCompatibleDC(reference));
    if (!m_dc) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    if (!m_bitmap) {
        m_dc.Reset();  // Get() reports the failure as null
        return;
    }
    m_oldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    m_oldMapMode = ::SetMapMode(m_dc.Get(), MM_TEXT);
}

CMemory_DC::~CMemory_DC() {
    if (!m_dc) return;
    if (m_oldMapMode) ::SetMapMode(m_dc.Get(), m_oldMapMode);
    ::SelectObject(m_dc.Get(), m_oldBitmap);
}

CImage_DC::CImage_DC(HDC reference, HBITMAP bitmap) : m_bitmap(bitmap) {
    if (!m_bitmap) return;
    BITMAP info = {};
    if (::GetObjectW(m_bitmap.Get(), sizeof(info), &info)) {
        m_width = info.bmWidth;
        m_height = info.bmHeight;
    }
    m_dc.Reset(::CreateCompatibleDC(reference));
    if (m_dc) m_oldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
}

CImage_DC::~CImage_DC() {
    if (m_dc) ::SelectObject(m_dc.Get(), m_oldBitmap);
}
