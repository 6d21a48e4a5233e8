#include "skin/controls/image.h"

#include "skin/controls/animation.h"
#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"

void DrawStyledImage(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int style, const RECT& rect, int frame) {
    const int W = static_cast<int>(SkinImageWidth(image)), H = static_cast<int>(SkinImageHeight(image));
    if (W <= 0 || H <= 0) return;  // missing or undecodable: the picture stays blank
    const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    graphics.SetClip(Gdiplus::Rect(L, T, R - L, B - T));
    switch (style) {
    case 0:
        if (frame >= 0) {
            const int f = W / kAnimationFrames;
            DrawImagePart(graphics, image, {L, T, L + f, T + H}, f * frame, 0, f, H);
        } else {
            DrawImagePart(graphics, image, {L, T, L + W, T + H}, 0, 0, W, H);
        }
        break;
    case 1:
        DrawImagePart(graphics, image, rect, 0, 0, W, H, true);
        break;
    case 2: {
        const int columns = (R - L + W - 1) / W, rows = (B - T + H - 1) / H;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const int x = L + column * W, y = T + row * H;
                DrawImagePart(graphics, image, {x, y, x + W, y + H}, 0, 0, W, H);
            }
        break;
    }
    case 3: {
        const int x = L + (R - L - W) / 2, y = T + (B - T - H) / 2;
        DrawImagePart(graphics, image, {x, y, x + W, y + H}, 0, 0, W, H);
        break;
    }
    case 5:
        DrawThreeSlice(graphics, image, ThreeSliceLayout(W, H, L, T, R, B));
        break;
    default:  // style 4 and unknown styles draw nothing
        break;
    }
    graphics.ResetClip();
}

bool SkinImage::Create(HWND owner, bool visible) {
    if (!AttachOwner(owner, 0xFFFF)) return false;
    m_visible = visible;
    return true;
}

void SkinImage::Load(const wchar_t* section, const std::wstring& ini, const SkinImageList& images) {
    int number = 0;
    ReadIniCInteger(ini, section, L"Image", number);
    m_image = images.Get(number);
    ReadIniCInteger(ini, section, L"Style", m_style);
    ReadIniCRect(ini, section, L"rect", m_iniRect);
    ResolveRect();
}

void SkinImage::Paint(HDC dc) {
    if (!m_visible || !m_image) return;
    Gdiplus::Graphics graphics(dc);
    DrawStyledImage(graphics, m_image, m_style, m_rect);
}
