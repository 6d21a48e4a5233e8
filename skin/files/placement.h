// Placement rule for skin rectangles: negative coordinates count from the owner's right/bottom edge.
// Pure functions plus one reader of the owner's client size. Any thread.
#pragma once
#include <windows.h>

// Control rule: negative x -> x + width, negative y -> y + height; others stay as they are.
RECT ResolvePlacement(const RECT& ini, int clientWidth, int clientHeight);
// Window-panel rule: negative values count one pixel further (x + width + 1, y + height + 1).
RECT ResolvePanelPlacement(const RECT& ini, int clientWidth, int clientHeight);
// ResolvePlacement against `owner`'s current client area (an invalid owner resolves against 0 x 0).
RECT ResolveAgainstOwner(HWND owner, const RECT& ini);
