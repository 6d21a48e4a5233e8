// CDialogImpl: a dialog from a template whose messages go to a C++ object's message map. The object is
// bound at WM_INITDIALOG (DWLP_USER) and unbound at WM_NCDESTROY or in the destructor, which destroys a
// modeless dialog that still exists. Window thread only; failures are results (-1 / null), never throws.
#pragma once
#include "skin/window/message_loop.h"
#include "skin/window/message_map.h"

class CDialogImpl : public CMessageMap {
public:
    // `templateId` names a DIALOG resource of `instance` (null: the executable).
    explicit CDialogImpl(UINT templateId, HINSTANCE instance = nullptr);
    ~CDialogImpl() override;
    CDialogImpl(const CDialogImpl&) = delete;
    CDialogImpl& operator=(const CDialogImpl&) = delete;

    // Runs the dialog modally; returns the EndDialog value, or -1 when it cannot be created.
    INT_PTR DoModal(HWND owner, LPARAM initParam = 0);
    // Creates the dialog modeless; the thread's message loop should pass messages to IsDialogMessage.
    HWND Create(HWND owner, LPARAM initParam = 0);
    // Modal: ends the dialog with `result`; modeless: destroys it.
    bool EndDialog(INT_PTR result);
    bool IsDialogMessage(MSG* msg);
    HWND GetHwnd() const { return m_hWnd; }

protected:
    // Called after WM_NCDESTROY, when the object is already unbound; it may delete the object.
    virtual void OnFinalMessage(HWND hwnd) {}

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HINSTANCE m_instance;
    LPARAM m_initParam = 0;
    bool m_modal = false;
};

// Lets a modeless dialog's keyboard interface (Tab, Enter, Esc) work inside the thread's message loop:
// add it to the loop while the dialog lives.
class CDialogMessageFilter : public CMessageFilter {
public:
    explicit CDialogMessageFilter(CDialogImpl& dialog) : m_dialog(dialog) {}
    bool PreTranslateMessage(MSG* msg) override { return m_dialog.IsDialogMessage(msg); }

private:
    CDialogImpl& m_dialog;
};
