#include "optimizer/tools/process_list/list_dlg.h"

// Placeholder until the process list lands.
CListDlg::~CListDlg() = default;
HWND CListDlg::Create(HWND) { return nullptr; }
