// Per-pixel-alpha painting of a layered popup: the caller draws into a 32-bit DIB of the window's size,
// which then becomes the window's look with UpdateLayeredWindow. Window thread; needs a GDI+ session.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <functional>

// Adds WS_EX_LAYERED when missing, lets `draw` paint (GDI+ graphics and the DC behind it, window
// coordinates), and shows the result. False when the DIB or the update fails.
bool PaintLayeredWindow(HWND hwnd, HDC screenDc, const std::function<void(Gdiplus::Graphics&, HDC)>& draw);
