// CMainWindow: the command table, the timer table and the two web addresses the links open.
#include <windows.h>

#include <shellapi.h>

#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/tools/page_file/memory_dlg.h"

void CMainWindow::OnCommand(WORD id) {
    switch (id) {
        case kCmdHideToTray:
            HideToTray();
            break;
        case kCmdPluginPage:
            OpenAddress(m_hosts.plugin);
            break;
        case kCmdFeedbackPage:
            OpenAddress(ServiceUrl(m_hosts.web, kFeedbackPagePath));
            break;
        case kCmdRepairStart:
        case kCmdRepairCancel:
        case kCmdRepairAgain:
            OnRepairCommand(id);
            break;
        case kCmdSpeedCancel:
        case kCmdSpeedRestart:
        case kCmdSpeedRetry:
            OnSpeedCommand(id);
            break;
        case kCmdMinimize:
            ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case kCmdBoost:
            RunGameModeStep(m_game.Boost());
            break;
        case kCmdCancelBoost:
            RunGameModeStep(m_game.Cancel());
            break;
        case kCmdMemory:
            OnMemoryCommand();
            break;
        case kCmdPageFileAdvice:
            OnPageFileAdvice();
            break;
        case kCmdTrayGameMode:
            OnTrayGameMode();
            break;
        case kCmdTrayMemory:
            OnTrayMemory();
            break;
        case kCmdTrayRepair:
            OnTrayRepair();
            break;
        case kCmdTrayTools:
            OnTrayTools();
            break;
        case kCmdTrayQuit:
            OnQuit();
            break;
        default:
            break;
    }
}

void CMainWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case kTimerSpeedSampling:
            OnSpeedSamplingTimer();
            break;
        case kTimerSpeedGauge:
            OnSpeedGaugeTimer();
            break;
        case kTimerCachePoll:
            OnCachePollTimer();
            break;
        case kTimerMemoryCoolDown:
            OnMemoryCoolDownTimer();
            break;
        case kTimerQuitAfterRestore:
            OnQuitTimer();
            break;
        case kTimerPaintBufferIdle:
            ::KillTimer(m_hWnd, kTimerPaintBufferIdle);
            m_paintBuffer.reset();
            break;
        default:
            break;  // the buttons' tooltip timer is theirs
    }
}

void CMainWindow::OpenAddress(const std::string& url) const {
    // Only web pages: the shell would run a program or open a file named here just as readily.
    // Failures are not reported: the page simply does not open.
    if (IsWebAddress(url))
        ::ShellExecuteA(m_hWnd, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CMainWindow::OnPageFileAdvice() {
    if (!m_memoryDlg) {
        m_memoryDlg = std::make_unique<CMemoryDlg>();
        m_memoryDlg->Create(m_hWnd);
    }
    m_memoryDlg->Show();
}

