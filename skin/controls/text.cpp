#include "skin/controls/text.h"

#include "skin/controls/skin_draw.h"
#include "skin/files/ini_values.h"

bool SkinText::Create(HWND owner, WORD id, bool visible) {
    if (!AttachOwner(owner, id)) return false;
    m_visible = visible;
    return true;
}

void SkinText::Load(const wchar_t* section, const std::wstring& ini) {
    m_text = ReadIniText(ini, section, L"Text");
    m_textColor = ReadIniCommaColor(ini, section, L"TextColor");
    m_fontHeight = ReadIniInt(ini, section, L"FontSize", 12);
    m_iniRect = ReadIniCommaRect(ini, section, L"rect");
    ResolveRect();
    Measure();
}

void SkinText::SetText(const std::wstring& text) {
    m_text = text;
    Measure();
    InvalidateOwner();
}

void SkinText::SetBounds(int left, int top, int right, int bottom) {
    SkinControl::SetBounds(left, top, right, bottom);
    Measure();
}

void SkinText::Show(bool visible) {
    if (visible == m_visible) return;
    m_visible = visible;
    InvalidateOwner();
}

void SkinText::Measure() {
    if (m_text.empty()) return;
    SkinFontLook font;
    font.face = m_fontFace.c_str();
    font.height = m_fontHeight;
    const SIZE size = MeasureDrawnSkinText(m_text, font);
    m_rect.right = m_rect.left + size.cx;
    m_rect.bottom = m_rect.top + size.cy;
}

void SkinText::Paint(HDC dc) {
    if (!m_visible) return;
    SkinFontLook font;
    font.face = m_fontFace.c_str();
    font.height = m_fontHeight;
    const Gdiplus::RectF at(static_cast<Gdiplus::REAL>(m_rect.left), static_cast<Gdiplus::REAL>(m_rect.top), 0, 0);
    DrawSkinText(dc, m_text, font, m_textColor, at, nullptr);
}
