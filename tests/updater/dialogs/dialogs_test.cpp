// The update prompt, the up-to-date notice and the success notice, run modally and pressed like a user.
#include "dialog_test_support.h"

#include "skin/controls/button.h"
#include "skin/controls/text.h"
#include "updater/dialogs/no_movrel_dlg.h"
#include "updater/dialogs/update_prompt_dlg.h"
#include "updater/dialogs/update_suc_dlg.h"

namespace {
const PromptRequest kOffer = {"http://127.0.0.1:9/notes.html", "1.1.06.06", "12.5MB", false};

std::wstring TextOf(const CUpdaterDialog& dialog, const wchar_t* section) {
    auto* text = static_cast<const SkinText*>(dialog.FindControl(section));
    return text ? text->GetText() : L"<missing>";
}
}  // namespace

TEST_F(UpdaterDialogTest, ThePromptShowsTheOfferAndItsButtonsAnswer) {
    struct Case {
        bool forced;
        WORD press;
        INT_PTR result;
        std::vector<int> ended;
    } cases[] = {
        {false, CUpdatePromptDlg::kUpdateNow, 0, {}},
        {false, CUpdatePromptDlg::kLater, 1, {}},
        {false, IDCANCEL, -1, {-1}},
        {true, CUpdatePromptDlg::kUpdateNow, 0, {}},
    };
    for (const Case& c : cases) {
        g_effects = EffectLog();
        PromptRequest offer = kOffer;
        offer.forced = c.forced;
        CUpdatePromptDlg prompt(context, offer);
        const INT_PTR result = RunModal(prompt, [&](HWND hwnd) {
            ExpectDialogFrame(hwnd, L"版本升级");
            EXPECT_EQ(L"瓦尼奥发布了最新版本v1.1.06.06", TextOf(prompt, L"VersionInfo"));
            EXPECT_EQ(L"文件大小：12.5MB", TextOf(prompt, L"FileSizeText"));
            // The release notes pane sits inside the "WebBk" picture (15,106)-(351,226), inset 5/10/5/5.
            RECT pane = {};
            ::GetWindowRect(prompt.WebPane().GetHwnd(), &pane);
            ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&pane), 2);
            const RECT expected = {20, 116, 346, 221};
            EXPECT_TRUE(::EqualRect(&expected, &pane));
            // The orange "later" button is drawn unless the update is forced.
            ::UpdateWindow(hwnd);
            EXPECT_EQ(!c.forced, prompt.FindControl(L"DelayBtn")->IsVisible());
            EXPECT_EQ(c.forced ? RGB(246, 249, 252) : RGB(224, 138, 42), WindowPixel(hwnd, 270, 240));
            Command(hwnd, CUpdatePromptDlg::kOfficialSite);
            if (c.forced)
                Command(hwnd, CUpdatePromptDlg::kLater);  // no "later" for a forced update
            Command(hwnd, c.press);
        });
        EXPECT_EQ(c.result, result);
        EXPECT_EQ(std::vector<std::string>{"http://www.example.com/"}, g_effects.opened);
        EXPECT_EQ(c.ended, g_effects.ended);
    }
}

TEST_F(UpdaterDialogTest, TheUpToDateNoticeEndsTheProcessWhicheverWayItIsLeft) {
    for (WORD press : {WORD(CNoMovrelDlg::kOk), WORD(CNoMovrelDlg::kOfficialSite), WORD(IDCANCEL)}) {
        g_effects = EffectLog();
        CNoMovrelDlg notice(context, "1.1.06.05");
        RunModal(notice, [&](HWND hwnd) {
            ExpectDialogFrame(hwnd, L"Varnio在线升级程序");
            EXPECT_EQ(L"版本号：1.1.06.05", TextOf(notice, L"VersionInfo"));
            EXPECT_EQ(L"您使用的已经是最新版本，无需升级。", TextOf(notice, L"StaticText"));
            Command(hwnd, press);
        });
        EXPECT_EQ(std::vector<int>{-1}, g_effects.ended);
        EXPECT_EQ(press == CNoMovrelDlg::kOfficialSite, g_effects.opened.size() == 1u);
    }
}

TEST_F(UpdaterDialogTest, TheSuccessNoticeTellsItsButtonFromItsCloseButton) {
    for (WORD press : {WORD(CUpdateSucDlg::kOk), WORD(IDCANCEL)}) {
        CUpdateSucDlg notice(context);
        const INT_PTR result = RunModal(notice, [&](HWND hwnd) {
            ExpectDialogFrame(hwnd, L"升级成功提示");
            ::UpdateWindow(hwnd);
            EXPECT_EQ(RGB(58, 154, 91), WindowPixel(hwnd, 183, 90));  // the success panel, centred
            Command(hwnd, press);
        });
        EXPECT_EQ(press == CUpdateSucDlg::kOk ? 1 : 0, result);
        EXPECT_TRUE(g_effects.ended.empty());
    }
}
