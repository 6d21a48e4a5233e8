// Pure arithmetic of the progress bar: clamping, the gradient bands, the frame's corner pixels and the
// image look's pieces. Any thread.
#pragma once
#include <windows.h>
#include <vector>

// value clamped to [minimum, maximum] with unsigned comparisons.
unsigned ClampProgress(unsigned value, unsigned minimum, unsigned maximum);
// MulDiv(position - minimum, span, maximum - minimum) (-1 when maximum equals minimum).
int ProgressExtent(unsigned position, unsigned minimum, unsigned maximum, int span);

struct ColorBand {
    RECT rect;
    COLORREF color;
};
// Bands of the gradient fill on inner rectangle `inner`, outermost first.
std::vector<ColorBand> GradientBands(const RECT& inner, unsigned position, unsigned minimum, unsigned maximum,
                                     bool vertical, COLORREF barColor);
// The band lightness a = (220 - step * i) mod 256 mixed into one channel: (255 - a) * c / 255 + a.
BYTE BlendBandChannel(BYTE channel, int a);

struct CornerPixel {
    POINT point;
    COLORREF color;
};
// The twenty single pixels that round the plain look's frame of `bar`.
std::vector<CornerPixel> ProgressCornerPixels(const RECT& bar);

// Image look fill: left piece, stretched middle (empty when it does not fit) and right piece.
struct ProgressFillLayout {
    RECT dstLeft;     // source (0, 0, c, h)
    RECT dstMiddle;   // source column c stretched; empty when unused
    RECT dstRight;    // source (c + 1, 0, c, h)
};
ProgressFillLayout ProgressFillPieces(const RECT& inner, int fillWidth, int fillHeight, int p);
// Top-left of the head image, or nothing (false) when the bar is full.
bool ProgressHeadPosition(const RECT& inner, int p, int headWidth, int headHeight, unsigned position,
                          unsigned maximum, POINT& at);
