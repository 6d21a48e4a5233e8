#include "skin/skinned_window/main_window_frame.h"

namespace {
constexpr int kDragBandHeight = 40;
constexpr int kCornerEllipse = 6;
}  // namespace

HRGN CreateMainWindowRegion(int width, int height) {
    // One pixel beyond the size: CreateRoundRectRgn leaves out its right and bottom edges.
    return ::CreateRoundRectRgn(0, 0, width + 1, height + 1, kCornerEllipse, kCornerEllipse);
}

bool StartsMainWindowDrag(POINT client, const RECT& closeButton, const RECT& minimizeButton) {
    if (client.y < 0 || client.y >= kDragBandHeight) return false;
    return !::PtInRect(&closeButton, client) && !::PtInRect(&minimizeButton, client);
}
