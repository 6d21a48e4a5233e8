#include "updater/dialogs/down_man_dlg.h"

#include "resources/tavisk/tavisk_resource.h"
#include "updater/dialogs/dialog_effects.h"
#include "updater/install/movrel_messages.h"

CDownManDlg::CDownManDlg(const DialogContext& context, std::string manualUrl, std::function<void()> beforeExit)
    : CUpdaterDialog(IDD_DOWN_MAN, context, L"downMandlg.ini", L"downMandlg.ini", true),
      m_manualUrl(std::move(manualUrl)),
      m_beforeExit(std::move(beforeExit)) {}

void CDownManDlg::OnInit() {
    AddButton(L"DownManBtn", kDownloadByHand);
    AddText(L"StaticText");
    AddImage(L"Logo");
    ::SetWindowTextW(m_hWnd, L"升级提示");
}

// The progress window owns this dialog and ends the run when told.
void CDownManDlg::EndRun() const {
    ::PostMessageW(::GetWindow(m_hWnd, GW_OWNER), WM_MOVREL_END, 0, 0);
}

void CDownManDlg::OnCommand(WORD id) {
    if (id == kDownloadByHand) {
        OpenInBrowser(m_manualUrl);
        EndRun();
    } else if (id == IDCANCEL) {
        if (m_beforeExit)
            m_beforeExit();
        EndProcessNow(-1);
        EndRun();
    }
}
