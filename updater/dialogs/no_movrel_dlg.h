// CNoMovrelDlg: the modal notice that the installed version is the newest. Every way out of it, its
// button, its link (after opening the web site) and its close button, ends the process with -1.
// Window thread.
#pragma once
#include "updater/dialogs/updater_dialog.h"

class CNoMovrelDlg : public CUpdaterDialog {
public:
    enum Command : WORD { kOk = IDOK, kOfficialSite = 256 };

    CNoMovrelDlg(const DialogContext& context, std::string installedVersion);
    INT_PTR DoModal(HWND owner) { return CDialogImpl::DoModal(owner); }

private:
    void OnInit() override;
    void OnCommand(WORD id) override;

    std::string m_installedVersion;
};
