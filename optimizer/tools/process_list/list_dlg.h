// CListDlg: the process-list pane, a modeless child dialog of the main window on its first page.
// Window thread only; its refresh thread reports by posted messages.
#pragma once
#include <windows.h>

class CListDlg {
public:
    CListDlg() = default;
    ~CListDlg();
    CListDlg(const CListDlg&) = delete;
    CListDlg& operator=(const CListDlg&) = delete;

    // Both before Create: the window that receives the end-process confirmation, and whether the
    // page-file warning strip takes room above the pane.
    void SetMainWindow(HWND mainWindow) { m_mainWindow = mainWindow; }
    void SetPageFileWarning(bool warning) { m_pageFileWarning = warning; }

    HWND Create(HWND parent);  // null when the pane cannot be created
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
    HWND m_mainWindow = nullptr;  // not owned
    bool m_pageFileWarning = false;
};
