#include "skin/paint/layered_paint.h"

#include "common/handles.h"
#include "skin/paint/memory_dc.h"

bool PaintLayeredWindow(HWND hwnd, HDC screenDc, const std::function<void(Gdiplus::Graphics&, HDC)>& draw) {
    LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    RECT wr = {};
    ::GetWindowRect(hwnd, &wr);
    POINT position = {wr.left, wr.top};
    SIZE size = {wr.right - wr.left, wr.bottom - wr.top};
    if (size.cx <= 0 || size.cy <= 0) return false;
    // Top-down would not matter to GDI+, but CMemory_DC's fresh DIB is all zero: fully transparent.
    CMemory_DC mem(screenDc, size.cx, size.cy);
    if (!mem.Get()) return false;
    {
        Gdiplus::Graphics graphics(mem.Get());
        draw(graphics, mem.Get());
    }
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(hwnd, screenDc, &position, &size, mem.Get(), &source, 0, &blend, ULW_ALPHA) != FALSE;
}
