#include "skin/controls/link.h"

#include "skin/controls/skin_draw.h"
#include "skin/files/ini_values.h"

bool SkinLink::Create(HWND owner, WORD id) {
    if (!AttachOwner(owner, id)) return false;
    HandCursor();
    return true;
}

HCURSOR SkinLink::HandCursor() {
    static const HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);  // shared system cursor
    return hand;
}

void SkinLink::Load(const wchar_t* section, const std::wstring& ini) {
    m_caption = ReadIniText(ini, section, L"Text");
    m_url = ReadIniText(ini, section, L"URL");
    m_linkColor = ReadIniCommaColor(ini, section, L"LinkColor");
    // The key is looked up with a trailing blank; the profile functions ignore it.
    m_activeLinkColor = ReadIniCommaColor(ini, section, L"ActiveLinkColor ");
    m_style = static_cast<unsigned>(ReadIniInt(ini, section, L"Style", 1));
    m_centered = ReadIniInt(ini, section, L"Center", 0) != 0;
    m_fontHeight = ReadIniInt(ini, section, L"FontSize", 12);
    m_iniRect = ReadIniCommaRect(ini, section, L"rect");
    Layout();
}

void SkinLink::SetBounds(int left, int top, int right, int bottom) {
    m_iniRect = {left, top, right, bottom};
    Layout();
}

void SkinLink::Layout() {
    ResolveRect();
    SkinFontLook font;
    font.height = m_fontHeight;
    const SIZE size = MeasureSkinText(DisplayText(), font);
    m_rect.right = m_rect.left + size.cx;
    m_rect.bottom = m_rect.top + size.cy;
    RECT client = {};
    if (m_centered && ::GetClientRect(m_owner, &client)) {
        m_rect.left = client.left + (client.right - client.left - size.cx) / 2;
        m_rect.right = m_rect.left + size.cx;
    }
}

void SkinLink::Apply(unsigned effects) {
    if (effects & kEffectInvalidate) Invalidate();
    if (effects & kEffectPostClick) PostCommand(m_id);
}

void SkinLink::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_visible) return;
    if (message == WM_SIZE) {
        if (!IsMinimizeSize(wParam)) Layout();
        return;
    }
    Apply(FeedMouse(m_model, message, wParam, false, [this] { return CursorInside(); }));
}

void SkinLink::Paint(HDC dc) {
    const std::wstring text = DisplayText();
    if (!m_visible || text.empty()) return;
    const bool hover = m_model.Hover();
    const COLORREF color = hover && !(m_style & kStyleNoActiveColor) ? m_activeLinkColor : m_linkColor;
    SkinFontLook font;
    font.height = m_fontHeight;
    font.underline = hover || (m_style & kStyleAlwaysUnderline);
    const Gdiplus::RectF at(static_cast<Gdiplus::REAL>(m_rect.left), static_cast<Gdiplus::REAL>(m_rect.top), 0, 0);
    DrawSkinText(dc, text, font, color, at, nullptr);
}
