// SkinLink: a text link sized to its text; colours change and it underlines while hovered. Posts
// WM_COMMAND(id) on a click and never opens its URL itself. The owner sets the hand cursor on
// WM_SETCURSOR over visible links (HandCursor()). Window thread only.
#pragma once
#include "skin/controls/button_model.h"
#include "skin/controls/skin_control.h"

#include <string>

class SkinLink : public SkinControl {
public:
    enum StyleBits : unsigned { kStyleAlwaysUnderline = 2, kStyleNoActiveColor = 4 };

    bool Create(HWND owner, WORD id);  // false when `owner` is not a window; loads IDC_HAND
    // Reads "Text", "URL", "LinkColor", "ActiveLinkColor", "Style", "Center", "FontSize", "rect".
    void Load(const wchar_t* section, const std::wstring& iniFile);
    void SetBounds(int left, int top, int right, int bottom) override;
    bool IsHover() const { return m_model.Hover(); }
    std::wstring DisplayText() const { return m_caption.empty() ? m_url : m_caption; }
    void Paint(HDC dc) override;
    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    static HCURSOR HandCursor();  // shared, loaded once; not owned

    COLORREF m_linkColor = RGB(58, 67, 74);
    COLORREF m_activeLinkColor = RGB(0, 0, 255);
    std::wstring m_url;
    std::wstring m_caption;
    unsigned m_style = 0;
    bool m_centered = false;
    int m_fontHeight = 12;

private:
    void Layout();
    void Apply(unsigned effects);
    LinkModel m_model;
};
