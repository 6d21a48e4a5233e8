#include "skin/controls/check_box.h"

#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"

bool SkinCheckBox::Create(HWND owner, WORD id) { return AttachOwner(owner, id); }

void SkinCheckBox::SetCheck(bool checked) {
    m_model.SetChecked(checked);
    Invalidate();
}

void SkinCheckBox::Enable(bool enable) {
    m_model.SetEnabled(enable);
    Invalidate();
}

void SkinCheckBox::Apply(unsigned effects) {
    if (effects & kEffectInvalidate) Invalidate();
    if (effects & kEffectPostClick) PostCommand(m_id);
}

void SkinCheckBox::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The model ignores everything while disabled. Leaving the owner clears the hover look too.
    if (m_visible) Apply(FeedMouse(m_model, message, wParam, true, [this] { return CursorInside(); }));
}

void SkinCheckBox::Paint(HDC dc) {
    // An image that did not decode counts as missing: no box and no caption beside nothing.
    if (!m_visible || SkinImageWidth(m_image) == 0) return;
    const int frameWidth = static_cast<int>(SkinImageWidth(m_image)) / 6;
    const int frameHeight = static_cast<int>(SkinImageHeight(m_image));
    const int state = m_model.State();
    const int frame = state + (m_model.Checked() ? 3 : 0);
    {
        Gdiplus::Graphics graphics(dc);
        const RECT dst = {m_rect.left + 1, m_rect.top, m_rect.left + 1 + frameWidth, m_rect.top + frameHeight};
        DrawImagePart(graphics, m_image, dst, frame * frameWidth, 0, frameWidth, frameHeight);
    }
    int x = m_rect.left + frameWidth + 4, y = m_rect.top + 1;
    if ((m_style & kStyleShiftOnHover) && state == 1 && !m_model.Checked()) {
        ++x;
        ++y;
    }
    const Gdiplus::RectF at(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), 0, 0);
    DrawSkinText(dc, m_caption, SkinFontLook(), state == 2 ? RGB(194, 194, 194) : m_textColor, at, nullptr);
    if (m_focus) {
        const RECT focus = {m_rect.left - 1, m_rect.top - 2, m_rect.right + 1, m_rect.bottom + 2};
        ::DrawFocusRect(dc, &focus);
    }
}
