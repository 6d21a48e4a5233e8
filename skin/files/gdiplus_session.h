// Starts GDI+ for the scope (a program's main or a test's fixture); skin drawing needs one alive.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include "skin/controls/skin_fonts.h"

class ScopedGdiplus {
public:
    ScopedGdiplus() {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~ScopedGdiplus() {
        if (!m_ok) return;
        ReleaseSkinFonts();  // kept fonts must go before GDI+ does
        Gdiplus::GdiplusShutdown(m_token);
    }
    ScopedGdiplus(const ScopedGdiplus&) = delete;
    ScopedGdiplus& operator=(const ScopedGdiplus&) = delete;
    bool Ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};
