#include "updater/dialogs/update_suc_dlg.h"

#include "resources/tavisk/tavisk_resource.h"

CUpdateSucDlg::CUpdateSucDlg(const DialogContext& context)
    : CUpdaterDialog(IDD_UPDATE_SUC, context, L"update_suc.ini", L"update_suc.ini", false) {}

void CUpdateSucDlg::OnInit() {
    AddButton(L"OKBtn", kOk);
    ::SetWindowTextW(m_hWnd, L"升级成功提示");
}

void CUpdateSucDlg::OnCommand(WORD id) {
    if (id == kOk)
        EndDialog(1);
    if (id == IDCANCEL)
        EndDialog(0);
}
