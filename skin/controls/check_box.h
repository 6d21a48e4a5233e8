// SkinCheckBox (optimizer): six-frame strip (unchecked normal/hover/disabled, checked ...) with a
// caption right of the box. Placed and dressed in code (no ini keys). Posts WM_COMMAND(id) on a click.
// Window thread only.
#pragma once
#include "skin/controls/button_model.h"
#include "skin/controls/skin_control.h"

#include <gdiplus.h>
#include <string>

class SkinCheckBox : public SkinControl {
public:
    enum StyleBits : unsigned { kStyleShiftOnHover = 2 };

    bool Create(HWND owner, WORD id);  // false when `owner` is not a window
    bool GetCheck() const { return m_model.Checked(); }
    void SetCheck(bool checked);
    void Enable(bool enable);          // a disabled box draws its disabled frame and ignores the mouse
    int GetState() const { return m_model.State(); }
    void Paint(HDC dc) override;
    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    Gdiplus::Image* m_image = nullptr;  // borrowed; without a decodable one nothing is drawn
    std::wstring m_caption;
    COLORREF m_textColor = RGB(58, 67, 74);
    unsigned m_style = 0;
    bool m_focus = false;               // draw a focus rectangle around box and caption

private:
    void Apply(unsigned effects);
    CheckBoxModel m_model;
};
