// Screenshots of the real Sorvik.exe with the product's skin and process list: each page, the tray menu
// and the come-back-later box, saved in "screenshots" beside the test program. Driven by the same
// messages a click sends; the pauses only let the pane and the paint catch up before each picture.
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_ids.h"
#include "skin/files/gdiplus_session.h"
#include "tests/optimizer/core/startup/product_copy.h"
#include "tests/optimizer/core/startup/screenshot.h"

namespace {

struct ClassSearch {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ClassSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[32] = {};
    ::GetClassNameW(hwnd, name, 32);
    if (pid != search->pid || std::wstring(name) != search->className || !::IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A shown top-level window of `className` ("#32768" a menu, "#32770" a dialog) of process `pid`.
HWND ShownWindowOfClass(DWORD pid, const wchar_t* className) {
    ClassSearch search = {pid, className, nullptr};
    WaitUntil(
        [&] {
            ::EnumWindows(MatchClass, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        10000);
    return search.found;
}

}  // namespace

TEST(SorvikScreens, EachPageTheTrayMenuAndTheMessageBox) {
    ScopedGdiplus gdiplus;
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    AutoHandle sorvik = copy.Start();
    ASSERT_TRUE(sorvik);
    const DWORD pid = ::GetProcessId(sorvik.Get());
    HWND window = WaitForMainWindow(pid);
    ASSERT_NE(nullptr, window);
    ::SetWindowPos(window, nullptr, 200, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto command = [&](WORD id, DWORD settleMs) {
        ::PostMessageW(window, WM_COMMAND, id, 0);
        ::Sleep(settleMs);
    };
    ::Sleep(1500);  // the process list's first refresh
    EXPECT_TRUE(SaveScreenshot(L"page0_off"));
    command(kCmdBoost, 2000);
    EXPECT_TRUE(SaveScreenshot(L"page0_game_mode_on"));
    command(kCmdTrayRepair, 1000);
    EXPECT_TRUE(SaveScreenshot(L"page1_network"));
    command(kCmdTrayTools, 1000);
    EXPECT_TRUE(SaveScreenshot(L"page2_tools"));
    command(kCmdTrayGameMode, 2000);  // back to the first page, leaving game mode

    // A modal window of Sorvik's (its menu or a dialog): waits for it, takes the picture, closes it.
    auto shootAndClose = [&](const wchar_t* className, const wchar_t* name, UINT message, WPARAM wParam) {
        HWND shown = ShownWindowOfClass(pid, className);
        ASSERT_NE(nullptr, shown) << name;
        ::Sleep(300);
        EXPECT_TRUE(SaveScreenshot(name));
        ::PostMessageW(shown, message, wParam, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(shown) || !::IsWindowVisible(shown); }, 10000)) << name;
    };
    ::SetCursorPos(420, 300);
    ::PostMessageW(window, WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN);
    shootAndClose(L"#32768", L"tray_menu", WM_KEYDOWN, VK_ESCAPE);
    command(kCmdMemory, 5000);  // a real clean-up (about a second here), then the cool-down runs
    command(kCmdMemory, 0);
    shootAndClose(L"#32770", L"message_box", WM_COMMAND, IDOK);

    ::PostMessageW(window, WM_COMMAND, kCmdTrayQuit, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(sorvik.Get(), 30000));
    ::TerminateProcess(sorvik.Get(), 9);  // a copy left behind would hold the next test's start
}
