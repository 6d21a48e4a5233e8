#include <gtest/gtest.h>

#include "optimizer/core/game_mode/game_mode.h"
#include "optimizer/core/services/service_messages.h"

namespace {

TEST(GameModeScore, IsTheRatioPlusTwentySixToThirtyFive) {
    for (int roll = 0; roll < 40; ++roll) {
        const int score = GameModeScore(10, 20, roll);  // 50 %
        EXPECT_GE(score, 76);
        EXPECT_LE(score, 85);
        EXPECT_EQ(50 + roll % 10 + 26, score);
    }
}

TEST(GameModeScore, ReadsEightyFromOneHundredUp) {
    const int ratios[][2] = {{74, 100}, {3, 4}, {90, 100}, {1, 1}, {30, 10}};  // 74 %, 75 %, 90 %, 100 %, 300 %
    for (const auto& r : ratios) {
        for (int roll = 0; roll < 10; ++roll) EXPECT_EQ(80, GameModeScore(r[0], r[1], roll)) << r[0] << "/" << r[1];
    }
    EXPECT_EQ(99, GameModeScore(64, 100, 9));  // 64 + 35: the highest score shown as is
    EXPECT_EQ(80, GameModeScore(65, 100, 9));
    EXPECT_EQ(60, GameModeScore(1, 3, 1));       // 33.3 is truncated
}

TEST(GameModeScore, WithNoRunningServiceIsTheBonusAlone) {
    for (int roll = 0; roll < 10; ++roll) {
        EXPECT_EQ(26 + roll, GameModeScore(0, 0, roll));
        EXPECT_EQ(26 + roll, GameModeScore(5, 0, roll));
    }
    EXPECT_EQ(80, GameModeScore(2000000000, 1, 0));  // no overflow on absurd counts
}

TEST(GameModePanel, BarWidthsAndProgressPlacement) {
    EXPECT_EQ(40, kBeforeBarWidth);
    EXPECT_EQ(90, AfterBarWidth(80));
    EXPECT_EQ(63, AfterBarWidth(26));
    EXPECT_EQ(99, AfterBarWidth(99));
    EXPECT_EQ(75, ProgressTextLeft(1));
    EXPECT_EQ(75, ProgressTextLeft(9));
    EXPECT_EQ(71, ProgressTextLeft(10));
    EXPECT_EQ(71, ProgressTextLeft(92));
}

TEST(GameModeModel, MeasurementSetsListedCountAndScoreOnce) {
    CGameMode mode;
    mode.m_gameMode = true;
    mode.SetMeasurement(6, 12, 3);
    EXPECT_FALSE(mode.m_gameMode);
    EXPECT_EQ(6, mode.m_svcListed);
    EXPECT_EQ(79, mode.m_score);
}

TEST(GameModeModel, BoostThenDoneThenCancelThenDone) {
    CGameMode mode;
    GameModeStep step = mode.Boost();
    EXPECT_EQ(GameModeView::kBoosting, step.view);
    EXPECT_EQ(SVC_CMD_STOP, step.command);
    EXPECT_TRUE(step.greyTray);
    EXPECT_TRUE(mode.m_busy);
    EXPECT_FALSE(mode.m_gameMode);
    EXPECT_EQ(0, mode.m_progress);

    step = mode.Progress(50);
    EXPECT_TRUE(step.repaint);
    EXPECT_EQ(GameModeView::kUnchanged, step.view);
    EXPECT_EQ(50, mode.m_progress);

    step = mode.BoostDone({3, false});
    EXPECT_EQ(GameModeView::kOn, step.view);
    EXPECT_FALSE(step.rightsRefused);
    EXPECT_EQ(0, step.command);
    EXPECT_TRUE(mode.m_gameMode);
    EXPECT_TRUE(mode.m_showResult);
    EXPECT_EQ(0, mode.m_progress);
    EXPECT_EQ(1.0f, mode.m_boostFrame);
    mode.m_busy = false;  // the worker's part after the done message

    EXPECT_EQ(0, mode.Boost().command);  // boosting while on does nothing
    EXPECT_FALSE(mode.m_busy);

    step = mode.Cancel();
    EXPECT_EQ(GameModeView::kRestoring, step.view);
    EXPECT_EQ(SVC_CMD_START, step.command);
    EXPECT_TRUE(mode.m_busy);
    EXPECT_TRUE(mode.m_gameMode);  // stays set until the restore has finished
    EXPECT_FALSE(mode.m_showResult);
    EXPECT_EQ(1, mode.m_progress);

    step = mode.RestoreDone();
    EXPECT_EQ(GameModeView::kOff, step.view);
    EXPECT_FALSE(mode.m_busy);
    EXPECT_FALSE(mode.m_gameMode);
    EXPECT_EQ(0, mode.m_progress);
    EXPECT_EQ(2.0f, mode.m_boostFrame);
}

TEST(GameModeModel, CancelWhileOffStillRunsARestore) {
    CGameMode mode;
    const GameModeStep step = mode.Cancel();
    EXPECT_EQ(SVC_CMD_START, step.command);
    EXPECT_TRUE(mode.m_busy);
}

TEST(GameModeModel, BoostFrameWrapsAfterEighteen) {
    CGameMode mode;
    mode.m_boostFrame = 17;
    mode.BoostDone({});
    EXPECT_EQ(18.0f, mode.m_boostFrame);
    mode.RestoreDone();
    EXPECT_EQ(0.0f, mode.m_boostFrame);
}

TEST(GameModeModel, QuitClosesAtOnceWhenOffAndAfterTheRestoreWhenOn) {
    CGameMode off;
    EXPECT_TRUE(off.Quit().closeNow);

    CGameMode on;
    on.Boost();
    on.BoostDone({});
    on.m_busy = false;
    const GameModeQuit quit = on.Quit();
    EXPECT_FALSE(quit.closeNow);
    EXPECT_TRUE(quit.poll);
    EXPECT_EQ(SVC_CMD_START, quit.restore.command);
    EXPECT_TRUE(on.QuitTick().poll);  // the restore is running
    on.RestoreDone();                 // the worker finished it
    EXPECT_TRUE(on.QuitTick().closeNow);
}

TEST(GameModeModel, TheResultCountsWhatTheBoostStopped) {
    struct Case {
        SweepOutcome outcome;
        int score;
        int afterBar;
    };
    const Case cases[] = {{{3, false}, 25 + 29, 77}, {{0, true}, 0, kBeforeBarWidth}, {{0, false}, 0, 40}};
    for (const Case& c : cases) {
        CGameMode mode;
        mode.SetMeasurement(6, 12, 3);
        mode.Boost();
        const GameModeStep step = mode.BoostDone(c.outcome);
        EXPECT_EQ(c.outcome.stopped, mode.m_stopped);
        EXPECT_EQ(6, mode.m_svcListed) << "the listed count stays";
        EXPECT_EQ(c.score, mode.m_score);
        EXPECT_EQ(c.afterBar, AfterBarWidth(mode.m_score));
        EXPECT_EQ(c.outcome.refused, step.rightsRefused);
        const SweepOutcome sent = SweepOutcomeOf(SweepDoneParam(c.outcome));
        EXPECT_EQ(c.outcome.stopped, sent.stopped);
        EXPECT_EQ(c.outcome.refused, sent.refused);
    }
}

TEST(GameModeModel, AFailedHandOverClearsBusyAndReturnsToTheFormerView) {
    CGameMode mode;
    mode.Boost();
    GameModeStep step = mode.HandOverFailed();
    EXPECT_FALSE(mode.m_busy);
    EXPECT_EQ(GameModeView::kOff, step.view);
    EXPECT_EQ(0, mode.m_progress);

    mode.Boost();
    mode.BoostDone({});
    mode.m_busy = false;
    mode.Cancel();
    step = mode.HandOverFailed();
    EXPECT_FALSE(mode.m_busy);
    EXPECT_EQ(GameModeView::kOn, step.view);
    EXPECT_TRUE(mode.m_showResult);  // nothing was restored: the panel stays
    EXPECT_EQ(0, mode.m_progress);
}

}  // namespace
