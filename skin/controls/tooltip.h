// SkinToolTip: the process-wide tooltip popup ("ToolTipUI"), created on first Show and kept until the
// process ends. Window thread of its first user only.
#pragma once
#include <windows.h>
#include <string>

// Where a tip of `textSize` opens for `cursor`: below-right, moved left of / above the cursor when
// it would pass the work area's right / bottom edge. Pure.
RECT PlaceToolTip(POINT cursor, SIZE textSize, const RECT& workArea);

class SkinToolTip {
public:
    static SkinToolTip& Instance();

    // Shows `text` near the cursor for 2 s; nothing when empty or already visible. False on failure.
    bool Show(const std::wstring& text);
    void Hide();                 // no-op when the window does not exist or is hidden
    HWND Hwnd() const { return m_hwnd; }
    bool IsVisible() const;
    const std::wstring& Text() const { return m_text; }

    COLORREF m_borderColor = RGB(0, 0, 0);
    COLORREF m_backColor = RGB(255, 255, 225);

private:
    SkinToolTip() = default;
    bool EnsureWindow();
    void OnPaint();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    RECT m_screenRect = {};
    std::wstring m_text;
};
