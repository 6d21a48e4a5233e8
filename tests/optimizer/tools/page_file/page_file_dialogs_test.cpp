// The advice dialog and the reboot prompt as a user meets them: real windows, real clicks, the check
// marks read back from what the dialog draws, the setting read back from the Wine registry.
#include <gtest/gtest.h>

#include <string>

#include "optimizer/tools/page_file/memory_dlg.h"
#include "optimizer/tools/page_file/page_file_advice.h"
#include "skin/window/message_loop.h"
#include "tests/optimizer/tools/page_file/paging_files_value.h"
#include "tests/optimizer/tools/tools_test_support/tools_test_support.h"

namespace {
using namespace std::string_literals;

// Colours of the test skin's "select.png" frames.
const COLORREF kUnchecked = RGB(250, 250, 250);
const COLORREF kChecked = RGB(40, 140, 60);

POINT RowPoint(int row) {
    return {160, 107 + 20 * row + 10};
}  // on the row's label
POINT CheckPixel(int row) {
    return {101 + 7, 107 + 20 * row + 7};
}  // inside the check frame
const POINT kApply = {285 + 40, 240 + 14};
const POINT kRestartNow = {205 + 40, 240 + 14};
const POINT kRestartLater = {285 + 40, 240 + 14};

bool QuitPosted() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

// Under Wine without a window manager every hide of a shown top-level window waits about two seconds,
// so the stand-in main window lives for the whole suite and each test hides as little as it can.
class PageFileDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_owner = new MainWindowStandIn; }
    static void TearDownTestSuite() { delete s_owner; }

    void SetUp() override {
        // C is the system drive; D has the most free space and is recommended; rows C, D, E.
        SurveyDrives({FixedDrive(L'C', 30), FixedDrive(L'D', 80), FixedDrive(L'E', 50)}, L"C:\\windows");
        s_owner->onShown = nullptr;
        s_owner->shownBoxes = 0;
        ASSERT_TRUE(dialog.Create(s_owner->GetHwnd()));
        dialog.Show();
        PumpFor(100);
    }
    // The check mark as drawn, with the mouse off the rows (a row under the mouse shows its hover frame).
    COLORREF Check(int row) { return Check(dialog, row); }
    static COLORREF Check(CMemoryDlg& shown, int row) {
        MouseAt(shown.GetHwnd(), WM_MOUSEMOVE, 20, 270);
        PumpFor(20);
        return RenderedPixel(shown, CheckPixel(row).x, CheckPixel(row).y);
    }
    // A machine with drive C alone and no page file, and the dialog it gets.
    void OpenForOneDriveWithoutAPageFile(CMemoryDlg& single) {
        saved.Set(nullptr);
        ASSERT_TRUE(PageFileNeedsAdvice({FixedDrive(L'C', 30)}, L"C:\\windows", PageFileKey()));
        dialog.Hide();
        ASSERT_TRUE(single.Create(s_owner->GetHwnd()));
        single.Show();
        PumpFor(100);
    }
    void Press(HWND hwnd, WPARAM key) {
        MSG msg = {hwnd, WM_KEYDOWN, key, 0};
        EXPECT_TRUE(loop.PreTranslateMessage(&msg));
        PumpFor(20);
    }

    static MainWindowStandIn* s_owner;
    CMessageLoop loop;  // the optimizer's loop, through which the keyboard reaches the dialogs
    PagingFilesValue saved;
    CMemoryDlg dialog;
};
MainWindowStandIn* PageFileDialogs::s_owner = nullptr;
}  // namespace

TEST_F(PageFileDialogs, ShowsTheSurveyCentredOnTheOwnerAndEnterOnlyHidesIt) {
    RECT window = {}, over = {};
    ::GetWindowRect(dialog.GetHwnd(), &window);
    ::GetWindowRect(s_owner->GetHwnd(), &over);
    EXPECT_EQ(420, window.right - window.left);  // the size of the test skin's "win_bg.png"
    EXPECT_EQ(290, window.bottom - window.top);
    EXPECT_EQ((over.left + over.right) / 2, (window.left + window.right) / 2);
    EXPECT_TRUE(::GetWindowLongPtrW(dialog.GetHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(s_owner->GetHwnd(), ::GetWindow(dialog.GetHwnd(), GW_OWNER));
    EXPECT_EQ(kUnchecked, Check(0));
    EXPECT_EQ(kChecked, Check(1));
    EXPECT_EQ(kUnchecked, Check(2));
    EXPECT_EQ(L"您当前虚拟内存值过低,建议移动到D盘", AdviceHeader(DriveSurvey()));

    Press(dialog.GetHwnd(), VK_RETURN);
    EXPECT_FALSE(::IsWindowVisible(dialog.GetHwnd()));
    EXPECT_TRUE(::IsWindow(dialog.GetHwnd()));
    EXPECT_FALSE(QuitPosted());
}

TEST_F(PageFileDialogs, ApplyMovesThePageFileToTheChosenDriveAndOffersARestart) {
    ClickAt(dialog.GetHwnd(), RowPoint(2).x, RowPoint(2).y);
    EXPECT_EQ(kUnchecked, Check(1));
    EXPECT_EQ(kChecked, Check(2));
    ClickAt(dialog.GetHwnd(), RowPoint(2).x, RowPoint(2).y);  // clicking the choice again keeps it
    EXPECT_EQ(kChecked, Check(2));

    ClickAt(dialog.GetHwnd(), kApply.x, kApply.y);
    EXPECT_EQ("E:\\pagefile.sys 1024 4092\0\0"s, saved.Get());
    EXPECT_FALSE(::IsWindowVisible(dialog.GetHwnd()));
    HWND reboot = dialog.GetRebootHwnd();
    ASSERT_NE(nullptr, reboot);
    EXPECT_TRUE(::IsWindowVisible(reboot));
    EXPECT_EQ(nullptr, ::GetWindow(reboot, GW_OWNER));
    RECT window = {}, work = {};
    ::GetWindowRect(reboot, &window);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((work.left + work.right - 420) / 2, window.left);

    const int restarts = RestartRequests();
    ClickAt(reboot, kRestartNow.x, kRestartNow.y);
    EXPECT_EQ(restarts + 1, RestartRequests());
    ClickAt(reboot, kRestartLater.x, kRestartLater.y);
    EXPECT_FALSE(::IsWindowVisible(reboot));
    // The close button lies in the prompt's drag band; a press on it must stay a click.
    ::ShowWindow(reboot, SW_SHOW);
    ClickAt(reboot, 420 - 35 + 12, 4 + 10);
    EXPECT_FALSE(::IsWindowVisible(reboot));
    EXPECT_EQ(restarts + 1, RestartRequests());
    EXPECT_FALSE(QuitPosted());
}

TEST_F(PageFileDialogs, RefusedWriteSaysSoAndOffersNoRestart) {
    const std::string before = "C:\\pagefile.sys 1024 4092\0\0"s;
    saved.Set(&before);
    dialog.SetPageFileKey({HKEY_LOCAL_MACHINE, L"SOFTWARE\\VarnioWorks\\NoMemoryManagementHere"});
    s_owner->onShown = [] { AnswerMessageBoxSoon(IDOK); };
    ClickAt(dialog.GetHwnd(), kApply.x, kApply.y);
    ASSERT_TRUE(PumpUntil([&] { return s_owner->shownBoxes == 1 && !FindMessageBox(); }));
    EXPECT_EQ(before, saved.Get());
    EXPECT_EQ(nullptr, dialog.GetRebootHwnd());
    EXPECT_FALSE(::IsWindowVisible(dialog.GetHwnd()));
}

TEST_F(PageFileDialogs, OneDriveWithoutAPageFileIsOfferedThatDrive) {
    CMemoryDlg single;
    OpenForOneDriveWithoutAPageFile(single);
    EXPECT_EQ(L"您当前虚拟内存值过低,建议移动到C盘", AdviceHeader(DriveSurvey()));
    EXPECT_EQ(kChecked, Check(single, 0));
    ClickAt(single.GetHwnd(), kApply.x, kApply.y);
    EXPECT_EQ("C:\\pagefile.sys 1024 4092\0\0"s, saved.Get());
    ASSERT_NE(nullptr, single.GetRebootHwnd());
    EXPECT_TRUE(::IsWindowVisible(single.GetRebootHwnd()));
}

// Run by hand with --gtest_also_run_disabled_tests while taking a screenshot: the advice dialog over
// its owner and the reboot prompt beside it.
TEST_F(PageFileDialogs, DISABLED_Screenshot) {
    ::SetWindowPos(s_owner->GetHwnd(), nullptr, 20, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(dialog.GetHwnd(), nullptr, 136, 143, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CReBootDlg reboot;
    ASSERT_TRUE(reboot.Create(nullptr));
    ::SetWindowPos(reboot.GetHwnd(), nullptr, 700, 143, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    reboot.Show();
    HoldForScreenshot();
}

// The same, for a machine with one drive and no page file.
TEST_F(PageFileDialogs, DISABLED_ScreenshotOneDrive) {
    CMemoryDlg single;
    OpenForOneDriveWithoutAPageFile(single);
    HoldForScreenshot();
}

// The same, for the message box of a refused write.
TEST_F(PageFileDialogs, DISABLED_ScreenshotRefusedWrite) {
    dialog.SetPageFileKey({HKEY_LOCAL_MACHINE, L"SOFTWARE\\VarnioWorks\\NoMemoryManagementHere"});
    s_owner->onShown = [] { AnswerMessageBoxSoon(IDOK, ScreenshotHoldMs()); };
    ClickAt(dialog.GetHwnd(), kApply.x, kApply.y);
}
