// CMainWindow: the frame (shape, dragging, cursor, hiding), the three pages and the two panes.
#include "common/text_encoding.h"
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/core/tray/tray_texts.h"
#include "skin/web_pane/browser.h"

void CMainWindow::OnSize(WPARAM wParam, LPARAM) {
    if (wParam != SIZE_MINIMIZED)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowRgn(m_hWnd, CreateMainWindowRegion(window.right - window.left, window.bottom - window.top), TRUE);
}

void CMainWindow::OnLButtonDown(LPARAM lParam) {
    SkinControl* close = m_skin.Find(L"SysCloseBtn");
    SkinControl* minimize = m_skin.Find(L"SysMinBtn");
    const RECT none = {};
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (StartsMainWindowDrag(point, close ? close->GetRect() : none, minimize ? minimize->GetRect() : none))
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
}

bool CMainWindow::OnSetCursor() {
    POINT cursor = {};
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor))
        return false;
    // Links only count on the page that shows them.
    std::vector<const wchar_t*> links;
    if (m_page == 1)
        links = {L"RepairSateLink", L"FlashLink"};
    if (m_page == 0 && m_pageFileWarning)
        links = {L"VirtualMemoryLink"};
    for (const wchar_t* name : links) {
        const SkinLink* link = m_skin.Link(name);
        if (!link || !link->IsVisible())
            continue;
        const RECT rect = link->GetRect();
        if (!::PtInRect(&rect, cursor))
            continue;
        ::SetCursor(SkinLink::HandCursor());
        return true;
    }
    return false;
}

void CMainWindow::HideToTray() {
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_tray.ShowBalloon(tray_text::kBalloonHidden, tray_text::kBalloonTitle);
}

void CMainWindow::SelectTab(int tab) {
    // Through the strip, so a changed selection switches the page exactly as a click does.
    if (SkinTabStrip* tabs = m_skin.TabStrip(L"MainTabUI")) {
        tabs->SetCurSel(tab);
    } else if (tab != m_page) {
        OnTabChange(tab);
    }
}

void CMainWindow::OnTabChange(int tab) {
    if (tab == 0) {
        m_page = 0;
        ShowProcessPane(true);
        ShowWebPane(false);
    } else if (tab == 1) {
        m_page = 1;
        ShowWebPane(false);
        ShowProcessPane(false);
        OnSpeedPageShown();
    } else if (tab == 2) {
        ShowProcessPane(false);
        CreateWebPane();
        m_page = 2;
        ShowWebPane(true);
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CMainWindow::PlaceProcessPane() {
    if (!m_processPane)
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const RECT pane = ProcessPaneRect(client, m_pageFileWarning);
    ::SetWindowPos(m_processPane, nullptr, pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainWindow::ShowProcessPane(bool show) {
    if (m_processPane)
        ::ShowWindow(m_processPane, show ? SW_SHOW : SW_HIDE);
}

void CMainWindow::ShowWebPane(bool show) {
    if (m_webPane && m_webPane->GetHwnd())
        ::ShowWindow(m_webPane->GetHwnd(), show ? SW_SHOW : SW_HIDE);
}

void CMainWindow::CreateWebPane() {
    if (m_webPane)
        return;  // created once, even when it failed: page 2 then shows its background only
    m_webPane = std::make_unique<CBrowser>();
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const std::wstring address = AnsiToWide(ServiceUrl(m_hosts.web, kToolsPagePath));
    if (m_webPane->Create(m_hWnd, WebPaneRect(client), address.c_str(), WS_CHILD))
        m_webPane->Navigate(address.c_str());
}
