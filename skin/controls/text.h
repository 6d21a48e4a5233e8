// SkinText: static text drawn at its top-left point; a non-empty text sizes the rectangle to itself.
// Window thread only.
#pragma once
#include "skin/controls/skin_control.h"

#include <string>

class SkinText : public SkinControl {
public:
    bool Create(HWND owner, WORD id, bool visible);  // false when `owner` is not a window
    // Reads "Text", "TextColor", "FontSize", "rect".
    void Load(const wchar_t* section, const std::wstring& iniFile);
    void SetText(const std::wstring& text);   // re-measures, invalidates the whole owner
    const std::wstring& GetText() const { return m_text; }
    void SetColor(COLORREF color) { m_textColor = color; }  // no repaint
    void SetBounds(int left, int top, int right, int bottom) override;
    void Show(bool visible) override;         // invalidates the owner only when the flag changes
    void Paint(HDC dc) override;

    std::wstring m_fontFace = L"宋体";
    int m_fontHeight = 12;
    COLORREF m_textColor = RGB(58, 67, 74);

private:
    void Measure();
    std::wstring m_text;
};
