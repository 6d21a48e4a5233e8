// Screenshots of the pages, the tray menu and the come-back-later box, saved in "screenshots" beside the
// test program for a person to look at (the window tests' skin, or the product's once it has one).
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_messages.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "window_test_support.h"

TEST_F(MainWindowTest, ScreenshotsOfEachPageTheTrayMenuAndTheMessageBox) {
    ASSERT_TRUE(Open(true));  // with the page-file warning strip
    ::SetWindowPos(Hwnd(), HWND_TOP, 200, 120, 0, 0, SWP_NOSIZE);
    // Pumping lets queued sweep messages through: a sweep's own state is taken without it.
    auto shot = [&](const wchar_t* name, bool pump = true) {
        if (pump)
            PumpFor(100);
        ::UpdateWindow(Hwnd());
        // Waiting on no queue input still lets Wine hand the painted window to the X server.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, 0);
        EXPECT_TRUE(SaveScreenshot(name)) << name;
    };
    shot(L"page0_off");
    Command(kCmdBoost);
    ::SendMessageW(Hwnd(), WM_SVC_STOP_PROGRESS, 0, 45);  // as the worker reports it
    shot(L"page0_boosting", false);
    ASSERT_TRUE(WaitForSweep());
    shot(L"page0_game_mode_on");
    Command(kCmdTrayRepair);
    shot(L"page1_network");
    Command(kCmdTrayTools);
    shot(L"page2_tools");
    Command(kCmdTrayGameMode);  // back to the first page, leaving game mode
    ASSERT_TRUE(WaitForSweep());
    ::SetCursorPos(420, 300);
    InsideModalLoop([&] { ::SendMessageW(Hwnd(), WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN); },
                    [&] { EXPECT_TRUE(SaveScreenshot(L"tray_menu")); });
    ::SendMessageW(Hwnd(), WM_MEMORY_DONE, 0, 0);
    InsideModalLoop([&] { Command(kCmdMemory); }, [&] { EXPECT_TRUE(SaveScreenshot(L"message_box")); });
}
