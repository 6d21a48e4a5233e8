// CUpdatePromptDlg: the modal update prompt with the release notes in a web pane. Returns 0 to update
// now or 1 for later; a forced update hides "later". Closing it ends the process with -1. Window thread.
#pragma once
#include "skin/web_pane/browser.h"
#include "updater/check/update_check.h"
#include "updater/dialogs/updater_dialog.h"

class CUpdatePromptDlg : public CUpdaterDialog {
public:
    enum Command : WORD { kUpdateNow = 512, kLater = 513, kOfficialSite = 514 };

    CUpdatePromptDlg(const DialogContext& context, PromptRequest request);
    INT_PTR DoModal(HWND owner) { return CDialogImpl::DoModal(owner); }
    const CBrowser& WebPane() const { return m_webPane; }

private:
    void OnInit() override;
    void OnCommand(WORD id) override;

    PromptRequest m_request;
    CBrowser m_webPane;
};
