// CMessageBoxDlg: the optimizer's modal skinned message box, a per-pixel-alpha layered popup drawn from
// "varniotipbg.png" with an optional icon, the message text, OK, optional Cancel and optional check box.
// Images and "VarnioTip.ini" come from the optimizer's skin folder. Constructed on the caller's stack;
// window thread only. Notifies with WM_MSGBOX_NOTIFY (sent): shown (0, 1) and Cancel (0, 0) to the
// parent, OK (1, text pointer valid during the call) to the OK notification window when switched on.
#pragma once
#include "skin/controls/button.h"
#include "skin/controls/check_box.h"
#include "skin/files/image_list.h"
#include "skin/window/dialog_impl.h"
#include "skin/window/mouse_leave_tracker.h"

#include <gdiplus.h>
#include <memory>
#include <string>

enum MessageBoxNumbers : UINT {
    WM_MSGBOX_NOTIFY = 0x0BD0,
    kMsgBoxCheckBoxId = 256,
};

enum MessageBoxFlags : UINT {
    kMsgBoxCancel = 1,    // show the Cancel button
    kMsgBoxCheckBox = 2,  // show the check box
    kMsgBoxQuestion = 4,  // "question_icon.png"
    kMsgBoxWarning = 8,   // "warning_big_icon.png", unless kMsgBoxQuestion is set
};

// Icon file for `flags`, or null for none.
const wchar_t* MessageBoxIconFile(UINT flags);
// Buttons as the box shows them: 30 px lower without the check box, OK 45 px right without Cancel.
void ArrangeMessageBoxButtons(UINT flags, RECT& ok, RECT& cancel);

class CMessageBoxDlg : public CDialogImpl {
public:
    CMessageBoxDlg(HWND parent, const std::wstring& text, UINT flags);
    ~CMessageBoxDlg() override;

    void SetOkNotify(bool on, const std::wstring& text, HWND window);
    // Modal; `owner` is usually the active window. IDOK or IDCANCEL (-1 when it cannot be shown).
    INT_PTR DoModal(HWND owner);

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The caller dresses the check box (image, caption) before DoModal and reads GetCheck after it.
    SkinCheckBox m_checkBox;
    const SkinButton& OkButton() const { return m_ok; }
    const SkinButton& CancelButton() const { return m_cancel; }
    SIZE IconSize() const;
    bool OkNotifyOn() const { return m_okNotify; }

private:
    void OnInitDialog(HWND hwnd);
    void Paint(HDC screenDc);
    void ForwardToControls(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_parent;
    std::wstring m_text;
    UINT m_flags;
    COLORREF m_textColor = RGB(45, 77, 100);
    bool m_okNotify = false;
    std::wstring m_okNotifyText;
    HWND m_okNotifyWindow = nullptr;
    SkinImageList m_images;
    std::unique_ptr<Gdiplus::Bitmap> m_background;
    std::unique_ptr<Gdiplus::Bitmap> m_icon;
    SkinButton m_ok;
    SkinButton m_cancel;
    CMouseLeaveTracker m_mouseLeave;
};
