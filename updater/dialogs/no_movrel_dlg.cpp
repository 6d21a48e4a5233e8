#include "updater/dialogs/no_movrel_dlg.h"

#include "common/text_encoding.h"
#include "resources/tavisk/tavisk_resource.h"
#include "skin/controls/text.h"
#include "updater/dialogs/dialog_effects.h"

CNoMovrelDlg::CNoMovrelDlg(const DialogContext& context, std::string installedVersion)
    : CUpdaterDialog(IDD_NO_MOVREL, context, L"mainform.ini", L"nomovreldlg.ini", false),
      m_installedVersion(std::move(installedVersion)) {}

void CNoMovrelDlg::OnInit() {
    AddButton(L"OKBtn", kOk);
    AddText(L"StaticText");
    AddImage(L"Logo");
    AddLink(L"VisOffWebLink", kOfficialSite);
    AddText(L"VersionInfo")->SetText(L"版本号：" + AnsiToWide(m_installedVersion));
    // The title is the template's caption.
}

void CNoMovrelDlg::OnCommand(WORD id) {
    switch (id) {
        case kOfficialSite:
            OpenInBrowser(m_context.officialUrl);
            EndProcessOrDialog(-1, id);
            break;
        case kOk:
        case IDCANCEL:
            EndProcessOrDialog(-1, id);
            break;
        default:
            break;
    }
}
