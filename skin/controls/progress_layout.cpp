#include "skin/controls/progress_layout.h"

#include <algorithm>

unsigned ClampProgress(unsigned value, unsigned minimum, unsigned maximum) {
    if (value > maximum) value = maximum;
    if (value < minimum) value = minimum;
    return value;
}

int ProgressExtent(unsigned position, unsigned minimum, unsigned maximum, int span) {
    return ::MulDiv(static_cast<int>(position - minimum), span, static_cast<int>(maximum - minimum));
}

BYTE BlendBandChannel(BYTE channel, int a) { return static_cast<BYTE>((255 - a) * channel / 255 + a); }

std::vector<ColorBand> GradientBands(const RECT& inner, unsigned position, unsigned minimum, unsigned maximum,
                                     bool vertical, COLORREF bar) {
    std::vector<ColorBand> bands;
    RECT f;
    int n;
    if (!vertical) {
        const int p = ProgressExtent(position, minimum, maximum, inner.right - inner.left);
        f = {inner.left, inner.top, inner.left + p, inner.bottom};
        n = (inner.bottom - inner.top) / 2;
    } else {
        const int p = ProgressExtent(position, minimum, maximum, inner.bottom - inner.top);
        f = {inner.left, inner.bottom - p, inner.right, inner.bottom};
        n = (f.right - f.left) / 2;
    }
    // An empty fill (MulDiv gives -1 for an empty range) draws no bands.
    if (n < 1 || f.right <= f.left || f.bottom <= f.top) return bands;
    const int step = 220 / n;
    for (int i = 0; i < n; ++i) {
        if (!vertical) {
            ++f.top;
            --f.bottom;
        } else {
            ++f.left;
            --f.right;
        }
        const int a = (220 - step * i) % 256;
        const COLORREF color = RGB(BlendBandChannel(GetRValue(bar), a), BlendBandChannel(GetGValue(bar), a),
                                   BlendBandChannel(GetBValue(bar), a));
        bands.push_back({f, color});
    }
    return bands;
}

std::vector<CornerPixel> ProgressCornerPixels(const RECT& b) {
    const int l = b.left, t = b.top, r = b.right, bo = b.bottom;
    return {
        {{l, t + 1}, RGB(172, 170, 166)},      {{l, t + 2}, RGB(127, 125, 125)},
        {{l + 1, t}, RGB(172, 171, 167)},      {{l + 1, t + 1}, RGB(119, 119, 119)},
        {{l + 2, t}, RGB(127, 125, 125)},      {{l + 2, t + 2}, RGB(190, 190, 190)},
        {{l + 1, bo - 1}, RGB(172, 170, 166)}, {{l + 2, bo - 1}, RGB(127, 125, 125)},
        {{l, bo - 3}, RGB(127, 125, 125)},     {{r - 2, bo - 1}, RGB(190, 190, 190)},
        {{l, bo - 2}, RGB(172, 171, 167)},     {{l + 1, bo - 2}, RGB(119, 119, 119)},
        {{r - 1, t + 1}, RGB(190, 190, 190)},  {{r - 1, t + 2}, RGB(127, 125, 125)},
        {{r - 2, t + 2}, RGB(190, 190, 190)},  {{r - 2, t + 1}, RGB(104, 104, 104)},
        {{r - 1, bo - 2}, RGB(190, 190, 190)}, {{r - 1, bo - 3}, RGB(127, 125, 125)},
        {{r - 2, bo - 2}, RGB(119, 119, 119)}, {{r - 3, bo - 1}, RGB(127, 125, 125)},
    };
}

ProgressFillLayout ProgressFillPieces(const RECT& inner, int fillWidth, int fillHeight, int p) {
    const int c = (fillWidth - 1) / 2;
    ProgressFillLayout layout = {};
    layout.dstLeft = {inner.left, inner.top, inner.left + c, inner.top + fillHeight};
    const int e = inner.left - c + p;
    if (e > inner.left + c) {
        layout.dstRight = {e, inner.top, e + c, inner.top + fillHeight};
        layout.dstMiddle = {inner.left + c, inner.top, inner.left + c + (p - 2 * c), inner.top + fillHeight};
    } else {
        layout.dstRight = {inner.left + c, inner.top, inner.left + 2 * c, inner.top + fillHeight};
    }
    return layout;
}

bool ProgressHeadPosition(const RECT& inner, int p, int headWidth, int headHeight, unsigned position,
                          unsigned maximum, POINT& at) {
    if (position >= maximum) return false;
    const int innerHeight = inner.bottom - inner.top;
    at.x = std::max<int>(inner.left, inner.left + p - headWidth);
    at.y = headHeight < innerHeight ? inner.top + (innerHeight - headHeight) / 2
                                    : inner.top - (headHeight - innerHeight) / 2;
    return true;
}
