// CLayeredSkinDlg: base of the page-file advice dialog and the reboot prompt. A modeless popup dialog
// drawn as a per-pixel-alpha layered window from fixed images of the optimizer's skin folder: the window
// takes the size of "win_bg.png", stays topmost, has a close button from "close.png" and buttons faced
// with "common_button_bg.png". It is created once and then only shown and hidden; Enter, Escape and the
// close button hide it. Owns its images and controls; window thread only.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/button.h"
#include "skin/files/image_list.h"
#include "skin/window/dialog_impl.h"
#include "skin/window/mouse_leave_tracker.h"

class CLayeredSkinDlg : public CDialogImpl {
public:
    CLayeredSkinDlg(UINT templateId, WORD closeCommand, int dragBandRightMargin);
    ~CLayeredSkinDlg() override;

    bool CreateOnce(HWND owner);  // true when the window exists (made now or before)
    void Show();
    void Hide();
    // Draws the window's look into `dc` (window coordinates), as the layered window shows it.
    void Render(HDC dc);

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    // Places the window and makes the dialog's own controls (the close button exists already).
    virtual void OnInit() = 0;
    // Draws what lies between the background and the controls.
    virtual void DrawContent(HDC dc) = 0;
    // A click of a control other than the close button.
    virtual void OnCommand(WORD id) = 0;

    // An image of the skin folder kept for the dialog's life; null when the file is missing.
    Gdiplus::Image* LoadSkinImage(const wchar_t* file);
    // A button of `frames` side-by-side states of `image` with its top-left corner at (x, y).
    SkinButton& AddButton(WORD id, Gdiplus::Image* image, int frames, int x, int y, const std::wstring& caption = L"");
    // A face button of "common_button_bg.png" with a caption.
    SkinButton& AddFaceButton(WORD id, int x, int y, const std::wstring& caption);
    // Controls drawn after DrawContent and fed the mouse, in the order added; not owned.
    void AddControl(SkinControl* control) { m_controls.push_back(control); }
    void Repaint();
    SIZE WindowSize() const;
    void MoveTo(POINT origin);
    // Draws `image` at its own size with its top-left corner at `at`; nothing for null.
    static void DrawImageAt(HDC dc, Gdiplus::Image* image, POINT at);

private:
    void OnInitDialog(HWND hwnd);
    void Paint(HDC screenDc);
    void Forward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool InDragBand(LPARAM lParam) const;
    void OnFinalMessage(HWND hwnd) override;
    void DropKeyboardFilter();  // takes the Enter/Escape filter off the thread's loop, if added

    WORD m_closeCommand;
    int m_dragBandRightMargin;
    SkinImageList m_images;
    Gdiplus::Image* m_background = nullptr;  // in m_images
    Gdiplus::Image* m_buttonFace = nullptr;  // in m_images
    COLORREF m_captionColor;
    std::vector<std::unique_ptr<SkinButton>> m_buttons;
    std::vector<SkinControl*> m_controls;  // not owned
    std::unique_ptr<CDialogMessageFilter> m_keyboard;
    CMouseLeaveTracker m_mouseLeave;
};
