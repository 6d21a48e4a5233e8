// The updater's dialogs in the test's own process: the test skin, a configuration, the effects that would
// leave the process (browser, process end) recorded instead, and running a modal dialog while a callback
// looks at it and presses its buttons.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "skin/files/skin_manage.h"
#include "skin/window/dialog_impl.h"
#include "tests/skin/window_test_support.h"
#include "tests/updater/updater_test_support.h"
#include "updater/config/update_config.h"
#include "updater/dialogs/dialog_effects.h"
#include "updater/dialogs/updater_dialog.h"

struct EffectLog {
    std::vector<std::string> opened;  // addresses given to the browser
    std::vector<int> ended;           // exit codes the process was asked to end with
};
inline EffectLog g_effects;

class UpdaterDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_effects = EffectLog();
        SetDialogEffects([](const std::string& url) { g_effects.opened.push_back(url); },
                         [](int code) { g_effects.ended.push_back(code); });
        skin.Start();  // the test skin beside the test program
        ASSERT_TRUE(config.Parse(
            ("<c><i id=\"IDS_UPDATE_APP_SHOWNAME\">" + WideToUtf8(L"瓦尼奥") + "</i><i id=\"IDS_MTX\">m</i></c>")
                .c_str()));
        context.skin = &skin;
        context.config = &config;
        context.officialUrl = "http://www.example.com/";
    }
    void TearDown() override {
        SetDialogEffects(nullptr, nullptr);
        skin.Teardown();
    }

    // Runs `dialog` modally; `whileShown` runs once inside its modal loop with the dialog's window.
    static INT_PTR RunModal(CDialogImpl& dialog, std::function<void(HWND)> whileShown) {
        s_dialog = &dialog;
        s_whileShown = std::move(whileShown);
        ::SetTimer(nullptr, 0, 30, &WhileShownTimer);
        return s_dialog->DoModal(nullptr);
    }
    // Once a window titled `title` of this process shows up (even inside a modal loop), calls `action`.
    static void WhenWindowAppears(std::wstring title, std::function<void(HWND)> action) {
        s_awaited = std::move(title);
        s_whenShown = std::move(action);
        ::SetTimer(nullptr, 0, 30, &AwaitTimer);
    }
    static void Command(HWND hwnd, WORD id) { ::PostMessageW(hwnd, WM_COMMAND, id, reinterpret_cast<LPARAM>(hwnd)); }

    static void CALLBACK WhileShownTimer(HWND, UINT, UINT_PTR id, DWORD) {
        // Creating the web pane pumps messages during the dialog's initialisation: wait until it shows.
        if (!s_dialog->GetHwnd() || !::IsWindowVisible(s_dialog->GetHwnd()))
            return;
        ::KillTimer(nullptr, id);
        if (s_whileShown)
            s_whileShown(s_dialog->GetHwnd());
        s_whileShown = nullptr;
    }
    static void CALLBACK AwaitTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND shown = FindProcessWindow(::GetCurrentProcessId(), s_awaited);
        if (!shown || !::IsWindowVisible(shown))
            return;
        ::KillTimer(nullptr, id);
        if (s_whenShown)
            s_whenShown(shown);
        s_whenShown = nullptr;
    }

    CSkinManage skin;
    CUpdateConfig config;
    DialogContext context;
    static inline CDialogImpl* s_dialog = nullptr;
    static inline std::function<void(HWND)> s_whileShown;
    static inline std::wstring s_awaited;
    static inline std::function<void(HWND)> s_whenShown;
};

// The dialog's window size, and whether it stays on top.
inline void ExpectDialogFrame(HWND hwnd, const wchar_t* title) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    EXPECT_EQ(366, r.right - r.left);
    EXPECT_EQ(275, r.bottom - r.top);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    wchar_t text[128] = {};
    ::GetWindowTextW(hwnd, text, 128);
    EXPECT_STREQ(title, text);
}
