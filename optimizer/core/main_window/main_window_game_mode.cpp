// CMainWindow: game mode as the page and the tray show it, and quitting, which waits for a running sweep
// and for the restore.
#include "optimizer/core/game_mode/game_mode_services.h"
#include "optimizer/core/main_window/game_mode_page.h"
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/tray/tray_texts.h"
#include "skin/message_box/message_box_dlg.h"

void CMainWindow::RunGameModeStep(const GameModeStep& step) {
    // A command the worker does not take turns into the model's way back to where the page was.
    const GameModeStep applied = step.command != 0 ? HandStepToWorker(m_game, m_serviceWorker, step) : step;
    ApplyGameModeView(applied);
    if (applied.repaint)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (applied.rightsRefused) {
        // Over the page that already shows what the sweep really did.
        CMessageBoxDlg box(m_hWnd, game_mode_text::kNeedAdmin, kMsgBoxWarning);
        box.DoModal(::GetActiveWindow());
    }
}

void CMainWindow::ApplyGameModeView(const GameModeStep& step) {
    m_skin.Apply(GameModePageChanges(step.view));
    const TrayChange tray = TrayChangeFor(step);
    m_menu.Apply(tray, kCmdTrayGameMode, kCmdTrayQuit);
    if (tray.tip)
        m_tray.SetTip(tray.tip);
    if (step.view != GameModeView::kUnchanged)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnQuit() {
    RunQuit(m_game.Quit());
}

void CMainWindow::OnQuitTimer() {
    RunQuit(m_game.QuitTick());
}

void CMainWindow::RunQuit(const GameModeQuit& quit) {
    if (quit.closeNow) {
        ::KillTimer(m_hWnd, kTimerQuitAfterRestore);
        m_tray.Delete();
        ::DestroyWindow(m_hWnd);
        return;
    }
    if (quit.restore.command != 0) {
        RunGameModeStep(quit.restore);
        m_tray.ShowBalloon(tray_text::kBalloonQuitting, tray_text::kBalloonTitle);
    }
    if (quit.poll)
        ::SetTimer(m_hWnd, kTimerQuitAfterRestore, kQuitPollMs, nullptr);
}
