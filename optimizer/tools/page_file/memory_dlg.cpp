#include "optimizer/tools/page_file/memory_dlg.h"

// Placeholder until the advice dialog lands.
CMemoryDlg::~CMemoryDlg() = default;
bool CMemoryDlg::Create(HWND) { return false; }
void CMemoryDlg::Show() {}
