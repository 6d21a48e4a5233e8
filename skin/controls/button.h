// SkinButton: a four-state image button (strip of normal, hover, pressed, disabled frames) with a
// centred caption and a tooltip. Posts WM_COMMAND(id) to the owner on a click; the updater also posts
// enter/leave (high words 256/257) and drops clicks closer than 300 ms. Window thread only.
#pragma once
#include "skin/controls/button_model.h"
#include "skin/controls/skin_control.h"

#include <gdiplus.h>
#include <string>

class SkinImageList;

class SkinButton : public SkinControl {
public:
    SkinButton();
    // False when `owner` is not a window. Empties both rectangles.
    bool Create(HWND owner, WORD id);
    // Reads "Text", "TipText", "TextColor", "Image", "bMoveText" (updater), "rect" from `section`.
    void Load(const wchar_t* section, const std::wstring& iniFile, const SkinImageList& images);

    void SetText(const std::wstring& text);
    void Enable(bool enable);
    bool IsEnabled() const { return m_model.State() != ButtonModel::kDisabled; }
    int GetState() const { return m_model.State(); }
    const std::wstring& GetText() const { return m_caption; }
    void Paint(HDC dc) override;
    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set directly by owners after Create.
    Gdiplus::Image* m_image = nullptr;  // borrowed from the owner's SkinImageList
    std::wstring m_tipText;
    std::wstring m_fontFace = L"宋体";
    int m_fontHeight = 12;
    COLORREF m_textColor = RGB(58, 67, 74);
    bool m_bold = false;      // optimizer only
    bool m_moveText = true;   // updater only ("bMoveText")

private:
    void Apply(unsigned effects);

    std::wstring m_caption;
    ButtonModel m_model;
};
