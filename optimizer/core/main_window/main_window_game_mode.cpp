// CMainWindow: game mode as the page and the tray show it, and quitting, which waits for a restore.
#include "optimizer/core/game_mode/game_mode_services.h"
#include "optimizer/core/main_window/game_mode_page.h"
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/tray/tray_texts.h"

void CMainWindow::RunGameModeStep(const GameModeStep& step) {
    // A command the worker does not take turns into the model's way back to where the page was.
    const GameModeStep applied = step.command != 0 ? HandStepToWorker(m_game, m_serviceWorker, step) : step;
    ApplyGameModeView(applied);
    if (applied.repaint)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
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
    // The menu item is greyed while a sweep runs; a quit that arrives by another way then waits its turn
    // too, or a boost still running would be left half done with its services stopped.
    if (m_game.m_busy)
        return;
    const GameModeQuit quit = m_game.Quit();
    if (quit.closeNow) {
        m_tray.Delete();
        ::DestroyWindow(m_hWnd);
        return;
    }
    RunGameModeStep(quit.restore);
    m_tray.ShowBalloon(tray_text::kBalloonQuitting, tray_text::kBalloonTitle);
    ::SetTimer(m_hWnd, kTimerQuitAfterRestore, kQuitPollMs, nullptr);
}

void CMainWindow::OnQuitTimer() {
    if (!m_game.QuitTimerMayClose())
        return;
    ::KillTimer(m_hWnd, kTimerQuitAfterRestore);
    ::DestroyWindow(m_hWnd);
}
