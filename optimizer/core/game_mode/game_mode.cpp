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

int AfterBarWidth(int score) { return (score + 100) / 2; }

int ProgressTextLeft(int progress) { return (progress >= 0 && progress < 10) ? 75 : 71; }

void CGameMode::SetMeasurement(int svcListed, int totalRunning, int roll) {
    m_gameMode = false;
    m_svcListed = svcListed;
    m_score = GameModeScore(svcListed, totalRunning, roll);
}

GameModeStep CGameMode::SweepStarting(GameModeView view, int command) {
    m_busy = true;
    GameModeStep step;
    step.view = view;
    step.command = command;
    step.greyQuit = true;
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
    if (m_gameMode) return {};
    m_progress = 0;
    return SweepStarting(GameModeView::kBoosting, SVC_CMD_STOP);
}

GameModeStep CGameMode::Cancel() {
    // Runs a full restore even when game mode is off: it is also the way to recover stopped services.
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

GameModeStep CGameMode::BoostDone() {
    m_gameMode = true;
    m_showResult = true;
    return SweepFinished(GameModeView::kOn);
}

GameModeStep CGameMode::RestoreDone() {
    // The worker clears m_busy only after posting this message, so it is cleared here as well.
    m_busy = false;
    m_gameMode = false;
    return SweepFinished(GameModeView::kOff);
}

GameModeQuit CGameMode::Quit() {
    GameModeQuit quit;
    if (!m_gameMode) {
        quit.closeNow = true;
        return quit;
    }
    quit.restore = Cancel();
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
