// CMemoryDlg: the page-file advice dialog, a layered modeless window owned by the main window. Created
// once on first use, then only shown and hidden. Window thread only.
#pragma once
#include <windows.h>

class CMemoryDlg {
public:
    CMemoryDlg() = default;
    ~CMemoryDlg();
    CMemoryDlg(const CMemoryDlg&) = delete;
    CMemoryDlg& operator=(const CMemoryDlg&) = delete;

    bool Create(HWND owner);  // false when the window cannot be created
    void Show();
    HWND GetHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};
