#include "skin/controls/animation.h"

void SkinAnimation::Paint(HDC dc, int frame) {
    if (!m_visible || !m_image) return;
    Gdiplus::Graphics graphics(dc);
    // Frames outside the strip would read past its right edge.
    const int k = frame < 0 ? 0 : frame % kAnimationFrames;
    DrawStyledImage(graphics, m_image, m_style, m_rect, m_style == 0 ? k : -1);
}
