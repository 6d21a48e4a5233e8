// Run by hand with --gtest_also_run_disabled_tests while taking a screenshot of the display: shows the
// five dialogs side by side for SKIN_SHOT_MS milliseconds (default 8000). SKIN_FOLDER, when set, names
// another program folder whose skin to show (the default skin of the product folder, for one).
#include "dialog_test_support.h"

#include "updater/dialogs/down_man_dlg.h"
#include "updater/dialogs/movrel_dlg.h"
#include "updater/dialogs/no_movrel_dlg.h"
#include "updater/dialogs/update_prompt_dlg.h"
#include "updater/dialogs/update_suc_dlg.h"
#include "updater/install/movrel_messages.h"

namespace {
AutoHandle NoWorker(HWND, CancelFlag, std::string, PackageDigests, HANDLE) {
    return AutoHandle();
}

void Place(HWND hwnd, int column, int row) {
    ::SetWindowPos(hwnd, nullptr, 12 + column * 420, 12 + row * 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}
}  // namespace

TEST_F(UpdaterDialogTest, DISABLED_ScreenshotOfAllFiveDialogs) {
    wchar_t folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"SKIN_FOLDER", folder, MAX_PATH))
        skin.Start(folder);
    context.startTask = &NoWorker;
    CUpdatePromptDlg prompt(context, {"about:blank", "1.1.06.06", "12.5MB", false});
    CNoMovrelDlg notice(context, "1.1.06.05");
    CMovrelDlg progress(context, {}, "", "", nullptr);
    CDownManDlg manual(context, "");
    CUpdateSucDlg success(context);
    Place(prompt.Create(nullptr), 0, 0);
    Place(notice.Create(nullptr), 1, 0);
    Place(progress.Create(), 2, 0);
    Place(manual.Create(nullptr), 0, 1);
    Place(success.Create(nullptr), 1, 1);
    ::PostMessageW(progress.GetHwnd(), WM_MOVREL_PROGRESS, reinterpret_cast<WPARAM>(new DownloadProgress{1000, 620}),
                   0);
    wchar_t ms[16] = {};
    PumpFor(::GetEnvironmentVariableW(L"SKIN_SHOT_MS", ms, 16) ? static_cast<DWORD>(_wtoi(ms)) : 8000);
}
