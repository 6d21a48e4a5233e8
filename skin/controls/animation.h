// SkinAnimation (optimizer): a picture whose style 0 shows frame k of a 20-frame strip. The owner
// keeps the frame counter and repaints on its own timer. Window thread only.
#pragma once
#include "skin/controls/image.h"

constexpr int kAnimationFrames = 20;

class SkinAnimation : public SkinImage {
public:
    void Paint(HDC dc) override { Paint(dc, 0); }
    void Paint(HDC dc, int frame);
};
