#include "skin/controls/button.h"

#include "skin/controls/control_ids.h"
#include "skin/controls/skin_draw.h"
#include "skin/controls/tooltip.h"
#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/skin_variant.h"

SkinButton::SkinButton()
    : m_model(skin_variant::kButtonClickDebounceMs, skin_variant::kButtonEnterLeaveNotify) {}

bool SkinButton::Create(HWND owner, WORD id) {
    if (!AttachOwner(owner, id)) return false;
    m_iniRect = {};
    m_rect = {};
    return true;
}

void SkinButton::Load(const wchar_t* section, const std::wstring& ini, const SkinImageList& images) {
    m_caption = ReadIniText(ini, section, L"Text");
    m_tipText = ReadIniText(ini, section, L"TipText");
    ReadIniCColor(ini, section, L"TextColor", m_textColor);
    m_image = images.Get(ReadIniInt(ini, section, L"Image", 0));
    if (skin_variant::kButtonMoveTextKey) m_moveText = ReadIniInt(ini, section, L"bMoveText", 1) != 0;
    ReadIniCRect(ini, section, L"rect", m_iniRect);
    ResolveRect();
}

void SkinButton::SetText(const std::wstring& text) {
    m_caption = text;
    Invalidate();
}

void SkinButton::Enable(bool enable) { Apply(m_model.Enable(enable)); }

void SkinButton::Apply(unsigned effects) {
    if (effects & kEffectInvalidate) Invalidate();
    if (effects & kEffectKillTipTimer) ::KillTimer(m_owner, kButtonTipTimer);
    if (effects & kEffectHideTip) SkinToolTip::Instance().Hide();
    if (effects & kEffectStartTipTimer) ::SetTimer(m_owner, kButtonTipTimer, skin_variant::kButtonTipDelayMs, nullptr);
    if (effects & kEffectPostClick) PostCommand(m_id);
    if (effects & kEffectNotifyEnter) PostCommand(MAKEWPARAM(m_id, kButtonEnterCode));
    if (effects & kEffectNotifyLeave) PostCommand(MAKEWPARAM(m_id, kButtonLeaveCode));
}

void SkinButton::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        if (!IsMinimizeSize(wParam)) ResolveRect();
        return;
    }
    if (!m_visible || !IsEnabled()) return;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The cursor, not lParam: the owner may forward messages of a captured drag.
        Apply(m_model.ButtonDown(CursorInside()));
        break;
    case WM_MOUSEMOVE:
        Apply(m_model.MouseMove(CursorInside(), (wParam & MK_LBUTTON) != 0));
        break;
    case WM_MOUSELEAVE:
        Apply(m_model.MouseLeave());
        break;
    case WM_LBUTTONUP: {
        const bool inside = CursorInside();
        Apply(m_model.ButtonUp(inside, inside && CursorInside(), ::GetTickCount()));
        break;
    }
    case WM_TIMER:
        if (wParam != kButtonTipTimer) break;
        if (::GetAsyncKeyState(VK_LBUTTON) >= 0 && CursorInside() && !m_tipText.empty())
            SkinToolTip::Instance().Show(m_tipText);
        ::KillTimer(m_owner, kButtonTipTimer);
        break;
    default:
        break;
    }
}

void SkinButton::Paint(HDC dc) {
    if (!m_visible) return;
    const int w = m_rect.right - m_rect.left, h = m_rect.bottom - m_rect.top;
    const int state = m_model.State();
    // Without a usable image the caption alone still tells the user what the button does.
    if (m_image) {
        Gdiplus::Graphics graphics(dc);
        // A one-frame image serves every state.
        const int srcX = static_cast<int>(SkinImageWidth(m_image)) == w ? 0 : state * w;
        DrawImagePart(graphics, m_image, m_rect, srcX, 0, w, h);
    }
    RECT caption = m_rect;
    const bool shift = state == ButtonModel::kPressed && (!skin_variant::kButtonMoveTextKey || m_moveText);
    if (shift) ::OffsetRect(&caption, 1, 1);
    const bool bold = skin_variant::kButtonBoldKnown && m_bold;
    SkinFontLook font;
    font.face = m_fontFace.c_str();
    font.height = m_fontHeight;
    font.weight = bold ? FW_BOLD : FW_NORMAL;
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(caption.left),
                                static_cast<Gdiplus::REAL>(caption.top + (bold ? 2 : 1)),
                                static_cast<Gdiplus::REAL>(caption.right - caption.left),
                                static_cast<Gdiplus::REAL>(caption.bottom - caption.top - 1));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    const bool grey = skin_variant::kButtonDisabledGreyCaption && state == ButtonModel::kDisabled;
    DrawSkinText(dc, m_caption, font, grey ? RGB(192, 192, 192) : m_textColor, layout, &format);
}
