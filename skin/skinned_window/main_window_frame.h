// The skin-model parts of the optimizer's main window frame: its rounded region, the band that drags
// it, and the mouse-leave tracking its controls need. Window thread only.
#pragma once
#include <windows.h>

#include "skin/window/mouse_leave_tracker.h"

// Rounded region of a window `width` x `height` (6 x 6 corner ellipse); the caller hands it to
// SetWindowRgn, which then owns it. Null on failure.
HRGN CreateMainWindowRegion(int width, int height);

// Whether a left-button press at `client` moves the window: inside the top 40 pixels, outside the
// caption buttons' rectangles.
bool StartsMainWindowDrag(POINT client, const RECT& closeButton, const RECT& minimizeButton);
