// Messages the repair worker posts to the window that started it (wParam 0).
#pragma once
#include <windows.h>

enum RepairMessage : UINT {
    WM_REPAIR_PROGRESS = 9916,  // lParam: percentage 0-100
    WM_REPAIR_DONE = 9917,      // lParam 0; the last message of a run that was not stopped
};
