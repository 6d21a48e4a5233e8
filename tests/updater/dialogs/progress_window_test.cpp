// The progress window and the manual download dialog, driven by the messages a download task posts. A
// scripted worker stands in for the download task, so each reaction can be seen on its own.
#include "dialog_test_support.h"

#include <process.h>

#include "skin/controls/button.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/text.h"
#include "skin/window/message_loop.h"
#include "updater/dialogs/movrel_dlg.h"
#include "updater/install/movrel_messages.h"

namespace {
unsigned __stdcall EndAtOnce(void*) {
    return 0;
}

// A worker that has already done its part.
AutoHandle FinishedWorker(HWND, CancelFlag, std::string, PackageDigests, HANDLE) {
    return AutoHandle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &EndAtOnce, nullptr, 0, nullptr)));
}

struct CancellableJob {
    HWND window;
    CancelFlag cancel;
    bool installs;
};

// Waits to be cancelled (at most 5 s; 1 s once installing, when a cancel must be refused), then reports
// as the download task does.
unsigned __stdcall WaitForCancel(void* param) {
    std::unique_ptr<CancellableJob> job(static_cast<CancellableJob*>(param));
    const bool installing = job->installs && ClaimInstall(*job->cancel);
    if (installing)
        ::PostMessageW(job->window, WM_MOVREL_INSTALLING, 0, 0);
    for (int i = 0; i < (installing ? 100 : 500) && job->cancel->load() != kCancelled; ++i)
        ::Sleep(10);
    ::PostMessageW(job->window, installing ? WM_MOVREL_INSTALLED : WM_MOVREL_END, 0, 0);
    ::PostMessageW(job->window, WM_MOVREL_WORKER_DONE, 0, 0);
    return 0;
}

// A worker still downloading, or (`installs`) one whose installer runs.
template <bool installs>
AutoHandle CancellableWorker(HWND window, CancelFlag cancel, std::string, PackageDigests, HANDLE) {
    auto* job = new CancellableJob{window, cancel, installs};
    return AutoHandle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &WaitForCancel, job, 0, nullptr)));
}

class ProgressWindowTest : public UpdaterDialogTest {
protected:
    HWND Open(TaskStarter worker, const char* manualUrl = "http://www.example.com/manual.html") {
        context.startTask = worker;
        dialog = std::make_unique<CMovrelDlg>(context, PackageDigests{"md5", "sha256"}, manualUrl,
                                              "http://127.0.0.1:9/setup.exe", nullptr);
        HWND hwnd = dialog->Create();
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        return hwnd;
    }
    // Pumps through the message loop's filters, as the updater's loop does, until `done` or WM_QUIT.
    bool PumpLoop(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
        const DWORD start = ::GetTickCount();
        while (!done() && !quit) {
            if (::GetTickCount() - start > timeoutMs)
                return false;
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    quit = true;
                if (!loop.PreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return true;
    }
    void PostProgress(HWND hwnd, double total, double now) {
        ::PostMessageW(hwnd, WM_MOVREL_PROGRESS, reinterpret_cast<WPARAM>(new DownloadProgress{total, now}), 0);
    }
    unsigned BarPos() const { return static_cast<SkinProgressBar*>(dialog->FindControl(L"ProgressBar"))->GetPos(); }
    std::wstring PercentText() const { return static_cast<SkinText*>(dialog->FindControl(L"ProgressText"))->GetText(); }

    CMessageLoop loop;
    std::unique_ptr<CMovrelDlg> dialog;
    bool quit = false;
};
}  // namespace

TEST_F(ProgressWindowTest, ShowsTheDownloadTo90PercentAndPlaysTheBusyAnimation) {
    HWND hwnd = Open(&CancellableWorker<false>);
    ExpectDialogFrame(hwnd, L"瓦尼奥");
    EXPECT_EQ(L"0%", PercentText());
    const int firstFrame = dialog->BusyFrame();
    EXPECT_TRUE(PumpLoop([&] { return dialog->BusyFrame() != firstFrame; }));
    struct Step {
        double total, now;
        unsigned pos;
    } steps[] = {{1000, 500, 45}, {0, 700, 45}, {1000, 1500, 45}, {1000, 1000, 90}};
    for (const Step& s : steps) {
        PostProgress(hwnd, s.total, s.now);
        PumpLoop([] { return false; }, 50);
        EXPECT_EQ(s.pos, BarPos()) << s.total << " " << s.now;
        EXPECT_EQ(std::to_wstring(s.pos) + L"%", PercentText());
    }
}

TEST_F(ProgressWindowTest, EscapeMinimisesAndCancelEndsTheRunThroughTheWorker) {
    HWND hwnd = Open(&CancellableWorker<false>);
    ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpLoop([&] { return ::IsIconic(hwnd) != FALSE; }));
    EXPECT_TRUE(dialog->HasWorker());
    Command(hwnd, CMovrelDlg::kCancel);
    EXPECT_TRUE(PumpLoop([&] { return quit; }));
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(ProgressWindowTest, OnceTheInstallerRunsCancelIsRefused) {
    HWND hwnd = Open(&CancellableWorker<true>);
    auto* cancel = static_cast<SkinButton*>(dialog->FindControl(L"CanelBtn"));
    ASSERT_TRUE(PumpLoop([&] { return !cancel->IsEnabled(); }));
    Command(hwnd, CMovrelDlg::kCancel);
    bool succeeded = false;
    WhenWindowAppears(L"升级成功提示", [&](HWND shown) {
        succeeded = true;
        Command(shown, 520);
    });
    EXPECT_TRUE(PumpLoop([&] { return quit; }, 8000));
    EXPECT_TRUE(succeeded);  // the installer ran to its end
}

TEST_F(ProgressWindowTest, AFailedDownloadOffersTheManualDownloadWhichEndsTheRun) {
    // Only a web address goes to the browser; the shell would run a program as readily.
    for (const char* url : {"http://www.example.com/manual.html", "file:///C:/windows/notepad.exe"}) {
        g_effects = EffectLog();
        quit = false;
        HWND hwnd = Open(&FinishedWorker, url);
        ::PostMessageW(hwnd, WM_MOVREL_FAILED, 0, 0);
        ASSERT_TRUE(PumpLoop([&] { return dialog->ManualDownload() != nullptr; }));
        HWND manual = dialog->ManualDownload()->GetHwnd();
        EXPECT_FALSE(::IsWindowVisible(hwnd));
        EXPECT_TRUE(::IsWindowVisible(manual));
        EXPECT_EQ(hwnd, ::GetWindow(manual, GW_OWNER));
        ExpectDialogFrame(manual, L"升级提示");
        Command(manual, CDownManDlg::kDownloadByHand);
        EXPECT_TRUE(PumpLoop([&] { return quit; }));
        EXPECT_EQ(url[0] == 'h' ? std::vector<std::string>{url} : std::vector<std::string>{}, g_effects.opened);
        EXPECT_FALSE(::IsWindow(manual));
    }
}

TEST_F(ProgressWindowTest, TheInstallerOutcomeIsShownAndEndsTheRun) {
    struct Case {
        UINT message;
        const wchar_t* title;  // the window that must appear, pressed with `press`
        WORD press;
    } cases[] = {{WM_MOVREL_INSTALLED, L"升级成功提示", 520}, {WM_MOVREL_CANNOT_INSTALL, L"错误", IDOK}};
    for (const Case& c : cases) {
        quit = false;
        HWND hwnd = Open(&FinishedWorker);
        bool seen = false;
        WhenWindowAppears(c.title, [&](HWND shown) {
            seen = true;
            EXPECT_FALSE(::IsWindowVisible(hwnd));  // the topmost window would cover what is shown
            if (c.message == WM_MOVREL_INSTALLED) {
                EXPECT_EQ(100u, BarPos());
            }
            if (c.message == WM_MOVREL_CANNOT_INSTALL) {
                wchar_t text[128] = {};
                ::GetDlgItemTextW(shown, 0xFFFF, text, 128);
                EXPECT_STREQ(L"瓦尼奥升级安装失败", text);
            }
            Command(shown, c.press);
        });
        ::PostMessageW(hwnd, c.message, 0, 0);
        EXPECT_TRUE(PumpLoop([&] { return quit; }, 5000)) << c.message;
        EXPECT_TRUE(seen) << c.message;
        EXPECT_FALSE(::IsWindow(hwnd));
    }
}
