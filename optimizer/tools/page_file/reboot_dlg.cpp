#include "optimizer/tools/page_file/reboot_dlg.h"

#include "optimizer/tools/page_file/system/windows_restart.h"
#include "resources/sorvik/tools_dialog_ids.h"
#include "skin/skinned_window/window_base.h"

namespace {
const POINT kPromptAt = {15, 45};
const POINT kRestartNowAt = {205, 240};
const POINT kRestartLaterAt = {285, 240};
}  // namespace

CReBootDlg::CReBootDlg() : CLayeredSkinDlg(IDD_REBOOT_PROMPT, kCloseCommand, 0) {}

bool CReBootDlg::Create(HWND nearWindow) {
    m_near = nearWindow;
    const bool made = CreateOnce(nullptr);
    m_near = nullptr;
    return made;
}

void CReBootDlg::OnInit() {
    ::SetWindowTextW(m_hWnd, L"重启提示");  // it has no owner, so the taskbar shows it by this name
    m_prompt = LoadSkinImage(L"reboot_text.png");
    AddFaceButton(kRestartNowCommand, kRestartNowAt.x, kRestartNowAt.y, L"立即重启");
    AddFaceButton(kCloseCommand, kRestartLaterAt.x, kRestartLaterAt.y, L"稍后重启");

    MONITORINFO monitor = {sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(m_near ? m_near : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    MoveTo(CenteredClampedOrigin(monitor.rcWork, WindowSize(), monitor.rcWork));
}

void CReBootDlg::DrawContent(HDC dc) {
    DrawImageAt(dc, m_prompt, kPromptAt);
}

void CReBootDlg::OnCommand(WORD id) {
    if (id == kRestartNowCommand)
        RestartWindows();
    else if (id == kRestartLaterCommand)
        Hide();
}
