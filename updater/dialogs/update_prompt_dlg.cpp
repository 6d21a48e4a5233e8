#include "updater/dialogs/update_prompt_dlg.h"

#include "common/text_encoding.h"
#include "resources/tavisk/tavisk_resource.h"
#include "skin/controls/button.h"
#include "skin/controls/image.h"
#include "skin/controls/text.h"
#include "updater/config/update_config.h"
#include "updater/dialogs/dialog_effects.h"

namespace {
// Navigate2 with the target frame "_parent" and no flags, post data or headers.
void NavigateToParentFrame(IWebBrowser2* browser, const std::wstring& url) {
    if (!browser)
        return;
    VARIANT address, target, empty;
    ::VariantInit(&address);
    ::VariantInit(&target);
    ::VariantInit(&empty);
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = ::SysAllocString(url.c_str());
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = ::SysAllocString(L"_parent");
    if (V_BSTR(&address) && V_BSTR(&target))
        browser->Navigate2(&address, &empty, &target, &empty, &empty);
    ::VariantClear(&target);
    ::VariantClear(&address);
}
}  // namespace

CUpdatePromptDlg::CUpdatePromptDlg(const DialogContext& context, PromptRequest request)
    : CUpdaterDialog(IDD_UPDATE_PROMPT, context, L"mainform.ini", L"mainform.ini", false),
      m_request(std::move(request)) {}

void CUpdatePromptDlg::OnInit() {
    AddButton(L"UpdateBtn", kUpdateNow);
    SkinButton* later = AddButton(L"DelayBtn", kLater);
    AddImage(L"Logo");
    AddLink(L"VisOffWebLink", kOfficialSite);
    SkinImage* webBack = AddImage(L"WebBk");
    SkinText* version = AddText(L"VersionInfo");
    SkinText* size = AddText(L"FileSizeText");

    if (m_request.forced)
        later->Show(false);
    const std::string showName = m_context.config->Get(config_key::kShowName);
    version->SetText(AnsiToWide(showName) + L"发布了最新版本v" + AnsiToWide(m_request.offeredVersion));
    size->SetText(L"文件大小：" + AnsiToWide(m_request.sizeText));
    ::SetWindowTextW(m_hWnd, L"版本升级");

    if (m_request.notesUrl.empty())
        return;
    RECT pane = webBack->GetRect();
    pane.left += 5;
    pane.top += 10;
    pane.right -= 5;
    pane.bottom -= 5;
    const std::wstring url = AnsiToWide(m_request.notesUrl);
    // Created blank and navigated once, so the notes are fetched once. Without a browser control the pane
    // stays an empty child and the prompt still works.
    if (m_webPane.Create(m_hWnd, pane, L"about:blank")) {
        ::ShowWindow(m_webPane.GetHwnd(), SW_SHOWNA);
        NavigateToParentFrame(m_webPane.GetBrowser(), url);
    }
}

void CUpdatePromptDlg::OnCommand(WORD id) {
    switch (id) {
        case kUpdateNow:
            EndDialog(kCheckAccepted);
            break;
        case kLater:
            if (!m_request.forced)
                EndDialog(kCheckLater);  // a forced update has no "later"
            break;
        case kOfficialSite:
            OpenInBrowser(m_context.officialUrl);
            break;
        case IDCANCEL:
            EndProcessOrDialog(-1, -1);
            break;
        default:
            break;
    }
}
