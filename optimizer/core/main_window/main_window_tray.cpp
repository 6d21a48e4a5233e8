// CMainWindow: the tray icon's clicks and the tray menu's commands.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/tray/tray_texts.h"

void CMainWindow::AddTrayIcon() {
    m_tray.Add(m_hWnd, kTrayIconId, WM_TRAY_CALLBACK, m_trayIcon.Get(), tray_text::kTipAtStart);
}

void CMainWindow::OnTrayCallback(LPARAM mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!::IsIconic(m_hWnd)) {
                if (!::IsWindowVisible(m_hWnd))
                    ::ShowWindow(m_hWnd, SW_SHOW);
                if (::GetForegroundWindow() != m_hWnd)
                    ::SetForegroundWindow(m_hWnd);
                break;
            }
            {
                // A minimised window is restored in front of whatever has the input now.
                const DWORD foreground = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
                const DWORD self = ::GetCurrentThreadId();
                const bool attached = foreground != self && ::AttachThreadInput(self, foreground, TRUE);
                ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
                if (attached)
                    ::AttachThreadInput(self, foreground, FALSE);
                ::ShowWindow(m_hWnd, SW_SHOW);
                ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            }
            break;
        case WM_RBUTTONDOWN:
            OnTrayMenu();
            break;
        default:
            break;
    }
}

void CMainWindow::OnTrayMenu() {
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::SetForegroundWindow(m_hWnd);
    m_menu.SetEnabled(kCmdTrayMemory, !m_memoryCoolDown && !m_memoryRunning);
    m_menu.Track(m_hWnd, cursor);
}

// Shows a hidden window or restores a minimised one.
void CMainWindow::BringUp(bool showPane) {
    if (::IsIconic(m_hWnd)) {
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
    if (showPane)
        ShowProcessPane(true);
}

void CMainWindow::OnTrayGameMode() {
    if (!m_game.SweepAllowed())
        return;  // greyed meanwhile; it could only queue a second sweep
    SelectTab(0);
    BringUp(true);
    ShowWebPane(false);
    OnCommand(m_game.m_gameMode ? kCmdCancelBoost : kCmdBoost);
}

void CMainWindow::OnTrayMemory() {
    SelectTab(0);
    if (::IsIconic(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_RESTORE);
    } else if (!::IsWindowVisible(m_hWnd)) {
        ::ShowWindow(m_hWnd, SW_SHOW);
    }
    OnMemoryCommand();
}

void CMainWindow::OnTrayRepair() {
    SelectTab(1);
    BringUp(false);
    ShowProcessPane(false);
    ShowWebPane(false);
}

void CMainWindow::OnTrayTools() {
    SelectTab(2);
    BringUp(false);
    ShowProcessPane(false);
    ShowWebPane(true);
}
