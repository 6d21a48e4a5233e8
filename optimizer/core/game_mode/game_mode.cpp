#include "optimizer/core/game_mode/game_mode.h"

#include "optimizer/core/services/service_messages.h"

int GameModeScore(int svcListed, int totalRunning, int roll) {
    double ratio = totalRunning > 0 ? svcListed * 100.0 / totalRunning : 0.0;
    if (ratio < 0) ratio = 0;
    const int bonus = (roll < 0 ? -roll : roll) % 10 + 26;
    // Compared before the conversion so that no ratio can overflow the integer.
    if (ratio + bonus >= 100.0) return 80;
    return static_cast<int>(ratio) + bonus;
}

int BoostScore(int stopped, int totalRunning, int roll) {
    return stopped > 0 ? GameModeScore(stopped, totalRunning, roll) : 0;
}

int AfterBarWidth(int score) { return score > 0 ? (score + 100) / 2 : kBeforeBarWidth; }

int ProgressTextLeft(int progress) { return (progress >= 0 && progress < 10) ? 75 : 71; }

void CGameMode::SetMeasurement(int svcListed, int totalRunning, int roll) {
    m_gameMode = false;
    m_svcListed = svcListed;
    m_totalRunning = totalRunning;
    m_roll = roll;
    m_score = GameModeScore(svcListed, totalRunning, roll);
}

GameModeStep CGameMode::SweepStarting(GameModeView view, int command) {
    m_busy = true;
    GameModeStep step;
    step.view = view;
    step.command = command;
    step.greyTray = true;
    return step;
}

GameModeStep CGameMode::SweepFinished(GameModeView view) {
    m_progress = 0;
    AdvanceFrame();
    GameModeStep step;
    step.view = view;
    step.repaint = true;
    return step;
}

GameModeStep CGameMode::Boost() {
    if (m_gameMode || !SweepAllowed()) return {};
    m_progress = 0;
    return SweepStarting(GameModeView::kBoosting, SVC_CMD_STOP);
}

GameModeStep CGameMode::Cancel() {
    // Runs a full restore even when game mode is off: it is also the way to recover stopped services.
    // Never behind another sweep: the worker clears the one busy flag after each command.
    if (!SweepAllowed()) return {};
    m_progress = 1;
    m_showResult = false;
    return SweepStarting(GameModeView::kRestoring, SVC_CMD_START);
}

GameModeStep CGameMode::Progress(int percent) {
    m_progress = percent;
    GameModeStep step;
    step.repaint = true;
    return step;
}

GameModeStep CGameMode::BoostDone(const SweepOutcome& outcome) {
    m_gameMode = true;
    m_showResult = true;
    // Only what this sweep stopped counts: without rights it stops nothing and says so.
    m_stopped = outcome.stopped;
    m_score = BoostScore(outcome.stopped, m_totalRunning, m_roll);
    GameModeStep step = SweepFinished(GameModeView::kOn);
    step.rightsRefused = outcome.refused;
    return step;
}

GameModeStep CGameMode::RestoreDone() {
    // The worker clears m_busy only after posting this message, so it is cleared here as well.
    m_busy = false;
    m_gameMode = false;
    return SweepFinished(GameModeView::kOff);
}

GameModeQuit CGameMode::Quit() {
    GameModeQuit quit;
    if (m_busy) {
        // A boost or restore still running is seen to its end first, then the quit decides again.
        m_quit = QuitStage::kAfterSweep;
        quit.poll = true;
        return quit;
    }
    if (!m_gameMode) {
        quit.closeNow = true;
        return quit;
    }
    m_quit = QuitStage::kNone;
    quit.restore = Cancel();
    m_quit = QuitStage::kAfterRestore;
    quit.poll = true;
    return quit;
}

GameModeQuit CGameMode::QuitTick() {
    GameModeQuit quit;
    if (m_busy) {
        quit.poll = true;
        return quit;
    }
    if (m_quit == QuitStage::kAfterSweep) return Quit();
    // The restore has finished (or never reached the worker): nothing is left to wait for.
    quit.closeNow = true;
    return quit;
}

GameModeStep CGameMode::HandOverFailed() {
    m_busy = false;
    m_progress = 0;
    m_showResult = m_gameMode;
    GameModeStep step;
    step.view = m_gameMode ? GameModeView::kOn : GameModeView::kOff;
    step.repaint = true;
    return step;
}

void CGameMode::AdvanceFrame() {
    m_boostFrame += 1;
    if (m_boostFrame >= kLastBoostFrame + 1) m_boostFrame = 0;
}
