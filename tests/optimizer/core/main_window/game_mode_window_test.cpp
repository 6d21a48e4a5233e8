// Game mode on the real window with real test services: refused rights, one sweep at a time, and a quit
// that arrives while a sweep runs.
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/tray/tray_texts.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "tests/optimizer/core/startup/screenshot.h"
#include "window_test_support.h"

namespace {

constexpr DWORD kSweepLimitMs = 60000;  // a bound for a stuck sweep, not an expected duration

std::function<void()> g_onBox;
bool g_answered = false;

// Polls inside whatever loop runs until this thread shows a dialog, looks, then answers it with OK.
void CALLBACK AnswerShownBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = ShownDialogOfThisThread();
    if (!box)
        return;
    ::KillTimer(nullptr, timer);
    if (g_onBox)
        g_onBox();
    g_answered = true;
    ::PostMessageW(box, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(box));
}

class GameModeWindowTest : public MainWindowTest {
protected:
    // A listed service whose stop lingers, so that a sweep is still running when the test acts.
    bool OpenWithSlowService(const wchar_t* base) {
        m_service = std::make_unique<CTestService>(UniqueServiceName(base), L"", L"--stop-pending 1500");
        return m_service->StartRunning() && Open(false, {m_service->Name()});
    }
    std::unique_ptr<CTestService> m_service;
};

}  // namespace

TEST_F(GameModeWindowTest, RefusedStopsShowTheRightsBoxOverAnHonestResult) {
    ASSERT_TRUE(OpenWithSlowService(L"sorvik_update_w"));
    CRefusedRights refused(RefusedCall::kManager);  // as without administrator rights
    bool layeredBox = false;
    g_answered = false;
    g_onBox = [&] {
        HWND box = ShownDialogOfThisThread();
        layeredBox = (::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
        PumpFor(300);  // the page behind the box finishes painting
        EXPECT_TRUE(SaveScreenshot(L"game_mode_rights_box"));
    };
    const UINT_PTR poll = ::SetTimer(nullptr, 0, 100, AnswerShownBox);
    Command(kCmdBoost);
    EXPECT_TRUE(PumpUntil([] { return g_answered; }, kSweepLimitMs)) << "the rights box";
    ::KillTimer(nullptr, poll);
    g_onBox = nullptr;
    ASSERT_TRUE(WaitForSweep());
    ::UpdateWindow(Hwnd());
    EXPECT_TRUE(SaveScreenshot(L"game_mode_refused_result"));  // "0项服务已优化,性能提升0%"
    EXPECT_TRUE(layeredBox) << "the skinned box";
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), m_service->State());
    EXPECT_EQ(0, Window().GameMode().m_stopped);
    EXPECT_EQ(0, Window().GameMode().m_score);
    EXPECT_EQ(1, Window().GameMode().m_svcListed) << "the service-count label keeps the listed count";
}

TEST_F(GameModeWindowTest, BoostCommandsDuringASweepAreIgnored) {
    for (WORD command : {kCmdBoost, kCmdCancelBoost, kCmdTrayGameMode}) {
        ASSERT_TRUE(OpenWithSlowService(L"sorvik_update_x"));
        Command(kCmdBoost);
        EXPECT_FALSE(Window().Menu().IsEnabled(kCmdTrayGameMode)) << "greyed like quit";
        EXPECT_FALSE(Window().Menu().IsEnabled(kCmdTrayQuit));
        Command(command);
        ASSERT_TRUE(WaitForSweep());
        PumpFor(500);  // a second sweep, had one been queued, would be under way
        ASSERT_TRUE(WaitForSweep());
        EXPECT_TRUE(Window().GameMode().m_gameMode) << command;
        EXPECT_EQ(1, Window().GameMode().m_stopped) << command;
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), m_service->State()) << command;
        EXPECT_TRUE(Window().Menu().IsEnabled(kCmdTrayGameMode));
        Command(kCmdCancelBoost);
        ASSERT_TRUE(WaitForSweep());
        m_window.reset();
        m_service.reset();
    }
}

TEST_F(GameModeWindowTest, AQuitDuringASweepWaitsForItAndRestores) {
    for (bool duringRestore : {false, true}) {
        ASSERT_TRUE(OpenWithSlowService(L"sorvik_update_y"));
        HWND window = Hwnd();
        Command(kCmdBoost);
        if (duringRestore) {
            ASSERT_TRUE(WaitForSweep());
            Command(kCmdCancelBoost);
        }
        Command(kCmdTrayQuit);  // as a quit that did not come through the greyed item
        EXPECT_TRUE(::IsWindow(window)) << "not before the sweep is done";
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, kSweepLimitMs)) << duringRestore;
        EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), m_service->State()) << duringRestore;
        EXPECT_EQ(tray_text::kBalloonQuitting == Window().Tray().BalloonText(), !duringRestore);
        m_window.reset();
        m_service.reset();
    }
}
