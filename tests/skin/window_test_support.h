// Helpers of the window tests: bounded message pumping and reading back what a window shows.
#pragma once
#include <windows.h>
#include <functional>

// Pumps this thread's messages until `done` holds or `timeoutMs` passes; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// Colour of a pixel of `hwnd` as painted (window coordinates), read from its window DC.
inline COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = ::GetWindowDC(hwnd);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
}

// Screen point of a window-coordinate point, packed as WM_NCHITTEST wants it.
inline LPARAM ScreenPointParam(HWND hwnd, int x, int y) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return MAKELPARAM(r.left + x, r.top + y);
}
