// CUpdateSucDlg: the modal notice that the installation succeeded. Its button ends it with 1, its close
// button with 0; either way the run goes on to start the product. Window thread.
#pragma once
#include "updater/dialogs/updater_dialog.h"

class CUpdateSucDlg : public CUpdaterDialog {
public:
    enum Command : WORD { kOk = 520 };

    explicit CUpdateSucDlg(const DialogContext& context);
    INT_PTR DoModal(HWND owner) { return CDialogImpl::DoModal(owner); }

private:
    void OnInit() override;
    void OnCommand(WORD id) override;
};
