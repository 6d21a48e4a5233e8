// Game mode as the main window owns it: its fields, the one-time score and the boost, cancel, done and quit
// transitions. Each transition returns what the window must do; the model draws nothing and touches no
// control. Main window's thread only, except m_busy, which the service worker clears after a sweep.
#pragma once
#include <atomic>

#include "optimizer/core/services/service_messages.h"

// What the first page and the tray must show after a transition.
enum class GameModeView {
    kUnchanged,
    kBoosting,   // circles and "正在加速...", boost button disabled, count label and icons 1, 3, 5 hidden
    kRestoring,  // circles and "正在取消加速...", cancel button disabled, icon 5 hidden
    kOn,         // result panel, cancel button; tray reads game mode; quit enabled
    kOff,        // boost button, count label, icons 1 and 3; tray reads not sped up; quit enabled
};

struct GameModeStep {
    GameModeView view = GameModeView::kUnchanged;
    int command = 0;         // SVC_CMD_STOP or SVC_CMD_START to hand to the worker; 0 for none
    bool greyTray = false;   // grey tray items 40005 and 40008 until the sweep is done
    bool repaint = false;
    bool rightsRefused = false;  // the boost was refused stops: say administrator rights are needed
};

struct GameModeQuit {
    bool closeNow = false;   // delete the tray icon and destroy the window at once
    GameModeStep restore;    // a restore to run first: show the balloon as well
    bool poll = false;       // (re)start the 1 s quit timer: the quit waits for a sweep
};

// m_svcListed x 100 / m_totalRunning truncated, plus 26 to 35 (from roll), shown as 80 from 100 up.
// With no running service there is nothing to free: the ratio counts as 0.
int GameModeScore(int svcListed, int totalRunning, int roll);

// The score a finished boost shows: as above for the services it stopped itself, 0 when it stopped none.
int BoostScore(int stopped, int totalRunning, int roll);

// Widths of the result panel's bars: before is fixed, after grows with the score (as long as the
// before bar when nothing was raised).
constexpr int kBeforeBarWidth = 40;
int AfterBarWidth(int score);

// Left edge of the progress percentage: 75 for one digit, 71 for more.
int ProgressTextLeft(int progress);

class CGameMode {
public:
    static constexpr int kLastBoostFrame = 18;

    // The one-time measurement's results; roll is one value of rand() after seeding with the time.
    void SetMeasurement(int svcListed, int totalRunning, int roll);

    // One sweep at a time: commands 17, 31 and tray 40005 are ignored while one runs or a quit waits.
    bool SweepAllowed() const { return !m_busy.load() && m_quit == QuitStage::kNone; }
    GameModeStep Boost();                 // command 17
    GameModeStep Cancel();                // command 31
    GameModeStep Progress(int percent);   // WM_SVC_STOP_PROGRESS, WM_SVC_START_PROGRESS
    GameModeStep BoostDone(const SweepOutcome& outcome);  // WM_SVC_STOP_DONE
    GameModeStep RestoreDone();           // WM_SVC_START_DONE
    // Menu command 40008: closes at once when off, restores first when on, and during a sweep waits
    // for it (timer 2016) and then decides again.
    GameModeQuit Quit();
    GameModeQuit QuitTick();              // timer 2016

    // A sweep command the worker did not take: nothing ran, so the page goes back to where it was.
    GameModeStep HandOverFailed();

    bool m_gameMode = false;
    std::atomic<bool> m_busy{false};
    bool m_showResult = false;
    int m_progress = 0;
    float m_boostFrame = 0;
    int m_svcListed = 0;
    int m_score = 0;
    int m_stopped = 0;       // services the last boost stopped itself: the result panel's count

private:
    enum class QuitStage { kNone, kAfterSweep, kAfterRestore };
    QuitStage m_quit = QuitStage::kNone;
    int m_totalRunning = 0;  // of the measurement, with its roll: the base of each boost's score
    int m_roll = 0;

    GameModeStep SweepStarting(GameModeView view, int command);
    GameModeStep SweepFinished(GameModeView view);  // progress hidden, animation frame advanced
    void AdvanceFrame();
};
