// The main window driven with real messages: hiding, dragging, pages and panes, game mode as the tray
// shows it and the memory cool-down.
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_messages.h"
#include "optimizer/core/tray/tray_texts.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "window_test_support.h"

namespace {

// Records WM_SYSCOMMAND sent to one window.
HHOOK g_hook = nullptr;
HWND g_watched = nullptr;
std::vector<WPARAM> g_sysCommands;
LRESULT CALLBACK RecordSysCommand(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_watched && sent->message == WM_SYSCOMMAND)
        g_sysCommands.push_back(sent->wParam);
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

// What the notification area is told, passed on to it unchanged.
struct ShellCallSeen {
    DWORD message;
    UINT flags;
};
std::vector<ShellCallSeen> g_shellCalls;
BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    g_shellCalls.push_back({message, data->uFlags});
    return ::Shell_NotifyIconA(message, data);
}

int CountChildren(HWND parent, const wchar_t* className) {
    int n = 0;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassNameW(c, name, 64);
        n += std::wstring(name) == className;
    }
    return n;
}

}  // namespace

TEST_F(MainWindowTest, ClosingHidesToTheTrayWithItsBalloon) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(tray_text::kBalloonStarted, Window().Tray().BalloonText());
    EXPECT_EQ(1, fake_companions::g_initVar);
    for (bool byCommand : {false, true}) {
        ::ShowWindow(Hwnd(), SW_SHOW);
        if (byCommand) {
            Command(kCmdHideToTray);
        } else {
            ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(::IsWindow(Hwnd()));
        EXPECT_FALSE(::IsWindowVisible(Hwnd())) << byCommand;
        EXPECT_EQ(tray_text::kBalloonHidden, Window().Tray().BalloonText());
    }
    // A left click on the icon brings the hidden window back.
    ::SendMessageW(Hwnd(), WM_TRAY_CALLBACK, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(::IsWindowVisible(Hwnd()));
}

TEST_F(MainWindowTest, TheTopBandDragsExceptOnTheSystemButtons) {
    ASSERT_TRUE(Open());
    g_watched = Hwnd();
    g_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, RecordSysCommand, nullptr, ::GetCurrentThreadId());
    struct Case {
        POINT at;
        bool drags;
    };
    const Case cases[] = {{{300, 10}, true}, {{630, 10}, false}, {{600, 10}, false}, {{300, 60}, false}};
    for (const Case& c : cases) {
        g_sysCommands.clear();
        // Ends the window move loop at once, should one start.
        ::PostMessageW(Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.at.x, c.at.y));
        ::SendMessageW(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
        PumpFor(30);
        const bool dragged = !g_sysCommands.empty() && g_sysCommands[0] == (SC_MOVE | HTCAPTION);
        EXPECT_EQ(c.drags, dragged) << c.at.x << "," << c.at.y;
    }
    ::UnhookWindowsHookEx(g_hook);
}

TEST_F(MainWindowTest, TheToolsPageMakesItsWebPaneOnce) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(nullptr, Window().WebPane());
    Click(TabCentre(2).x, TabCentre(2).y);
    HWND pane = Window().WebPane();
    ASSERT_NE(nullptr, pane);
    EXPECT_TRUE(::IsWindowVisible(pane));
    RECT rect = {};
    ::GetWindowRect(pane, &rect);
    ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ((RECT{7, 83, 652 - 7, 456 - 4}).left, rect.left);
    EXPECT_EQ(83, rect.top);
    EXPECT_EQ(645, rect.right);
    EXPECT_EQ(452, rect.bottom);
    Click(TabCentre(0).x, TabCentre(0).y);
    EXPECT_FALSE(::IsWindowVisible(pane));
    Command(kCmdTrayTools);  // the tray's way to the same page
    EXPECT_EQ(2, Window().Page());
    EXPECT_EQ(pane, Window().WebPane());
    EXPECT_EQ(1, CountChildren(Hwnd(), L"SkinBrowserPane"));
}

TEST_F(MainWindowTest, TheTrayFollowsGameModeThroughAFullRound) {
    ASSERT_TRUE(Open());
    HWND w = Hwnd();
    // Off, as started.
    EXPECT_EQ(tray_text::kTipAtStart, Window().Tray().Tip());
    EXPECT_EQ(L"\u5f00\u542f\u6e38\u620f\u6a21\u5f0f(&F)   ", ItemOfOpenTrayMenu(w, kCmdTrayGameMode).text);

    struct Stage {
        WORD command;  // sent at this stage, 0 for none
        bool waitForSweep;
        const wchar_t* tip;
        const wchar_t* gameModeItem;
        const wchar_t* quitItem;
        bool quitEnabled;
        const wchar_t* button;  // the boost page's visible button
    };
    const Stage stages[] = {
        {kCmdBoost, false, tray_text::kTipAtStart, L"\u5f00\u542f\u6e38\u620f\u6a21\u5f0f(&F)   ", tray_text::kItemQuit,
         false, L"BeginBoostBtn"},
        {0, true, tray_text::kTipGameMode, tray_text::kItemLeaveGameMode, tray_text::kItemCancelAndQuit, true,
         L"CancelBoostBtn"},
        {kCmdCancelBoost, false, tray_text::kTipGameMode, tray_text::kItemLeaveGameMode, tray_text::kItemCancelAndQuit,
         false, L"CancelBoostBtn"},
        {0, true, tray_text::kTipNotBoosted, tray_text::kItemStartGameMode, tray_text::kItemQuit, true,
         L"BeginBoostBtn"},
    };
    for (const Stage& s : stages) {
        if (s.command)
            Command(s.command);  // the sweep's done message is still queued afterwards
        if (s.waitForSweep) {
            ASSERT_TRUE(WaitForSweep());
        }
        EXPECT_EQ(s.tip, Window().Tray().Tip());
        // While a sweep runs, the menu is read without opening it: its loop would take the done message.
        const CTrayMenu& menu = Window().Menu();
        const MenuItemSeen game =
            s.waitForSweep ? ItemOfOpenTrayMenu(w, kCmdTrayGameMode) : MenuItemSeen{menu.Text(kCmdTrayGameMode), true};
        const MenuItemSeen quit = s.waitForSweep ? ItemOfOpenTrayMenu(w, kCmdTrayQuit)
                                                 : MenuItemSeen{menu.Text(kCmdTrayQuit), menu.IsEnabled(kCmdTrayQuit)};
        EXPECT_EQ(s.gameModeItem, game.text);
        EXPECT_EQ(s.quitItem, quit.text);
        EXPECT_EQ(s.quitEnabled, quit.enabled);
        EXPECT_TRUE(Visible(s.button)) << s.button;
        EXPECT_EQ(!s.waitForSweep, Visible(L"#SweepStatus"));
    }
}

TEST_F(MainWindowTest, MemoryItemIsGreyedDuringTheCoolDown) {
    ASSERT_TRUE(Open());
    EXPECT_TRUE(ItemOfOpenTrayMenu(Hwnd(), kCmdTrayMemory).enabled);
    ASSERT_TRUE(FinishCleanUp());
    const MenuItemSeen cooling = ItemOfOpenTrayMenu(Hwnd(), kCmdTrayMemory);
    EXPECT_EQ(L"\u5185\u5b58\u6574\u7406(&X)", cooling.text);
    EXPECT_FALSE(cooling.enabled);
    ::SendMessageW(Hwnd(), WM_TIMER, kTimerMemoryCoolDown, 0);  // ten minutes later
    EXPECT_TRUE(ItemOfOpenTrayMenu(Hwnd(), kCmdTrayMemory).enabled);
}

TEST_F(MainWindowTest, ASecondCleanUpDuringTheCoolDownOnlyShowsTheComeBackLaterBox) {
    ASSERT_TRUE(Open());
    ASSERT_TRUE(FinishCleanUp());
    ASSERT_TRUE(Visible(L"BoostIcon6"));
    bool layeredBox = false;
    InsideModalLoop([&] { Command(kCmdMemory); },
                    [&] {
                        HWND box = ShownDialogOfThisThread();
                        layeredBox = box && (::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_LAYERED);
                    });
    EXPECT_TRUE(layeredBox) << "the skinned box";
    EXPECT_FALSE(Visible(L"ChaosCircle21")) << "no clean-up started";
    EXPECT_TRUE(Visible(L"BoostIcon6"));
}

TEST_F(MainWindowTest, ThePaneSitsLowerAndShorterUnderThePageFileWarning) {
    for (bool warning : {false, true}) {
        ASSERT_TRUE(Open(warning));
        HWND pane = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, Hwnd(), nullptr, nullptr, nullptr);
        Window().SetProcessPane(pane);
        ::ShowWindow(Hwnd(), SW_HIDE);
        ::ShowWindow(Hwnd(), SW_SHOW);  // placed whenever the window is shown
        RECT rect = {};
        ::GetWindowRect(pane, &rect);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(7, rect.left);
        EXPECT_EQ(645, rect.right);
        EXPECT_EQ(warning ? 286 : 266, rect.top);
        EXPECT_EQ(451, rect.bottom);
        m_window.reset();
    }
}

TEST_F(MainWindowTest, TheResultPanelShowsTheAfterBarOnceGameModeIsOn) {
    CTestService listed(UniqueServiceName(L"sorvik_update_bar"));  // the boost stops it: a score to show
    ASSERT_TRUE(listed.StartRunning());
    ASSERT_TRUE(Open(false, {listed.Name()}));
    const int barY = 195 + 3;
    std::vector<COLORREF> page;  // the row before the boost, from the bars' left edge
    for (int x = 201; x < 201 + 120; ++x)
        page.push_back(WindowPixel(Hwnd(), x, barY));
    Command(kCmdBoost);
    ASSERT_TRUE(WaitForSweep());
    ::UpdateWindow(Hwnd());
    ASSERT_GT(Window().GameMode().m_score, 0);
    const int width = AfterBarWidth(Window().GameMode().m_score);
    const COLORREF bar = WindowPixel(Hwnd(), 201 + width - 5, barY);
    EXPECT_NE(page[width - 5], bar);
    EXPECT_GT(GetGValue(bar), GetRValue(bar)) << "the green after bar";
    EXPECT_EQ(WindowPixel(Hwnd(), 201 + width + 3, barY), page[width + 3]) << "and no further than its width";
    Command(kCmdCancelBoost);
    ASSERT_TRUE(WaitForSweep());
}

TEST_F(MainWindowTest, TheIconComesBackWhenTheNotificationAreaRestarts) {
    ASSERT_TRUE(Open());
    NOTIFYICONDATAA probe = Window().Tray().Record();
    probe.uFlags = NIF_TIP;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is there";
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &probe));  // a restarted notification area knows no icons
    EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
    Command(kCmdHideToTray);  // a balloon the restarted area must not show again
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    EXPECT_TRUE(AllowTaskbarCreated(Hwnd(), taskbarCreated)) << "an elevated copy takes it from the shell";
    g_shellCalls.clear();
    TrayShell() = RecordShellCall;
    ::SendMessageW(Hwnd(), taskbarCreated, 0, 0);
    TrayShell() = ::Shell_NotifyIconA;
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
    ASSERT_EQ(1u, g_shellCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_shellCalls[0].message);
    EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), g_shellCalls[0].flags) << "no balloon again";
}
