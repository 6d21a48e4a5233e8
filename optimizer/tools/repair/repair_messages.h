// Messages the repair worker posts to the window that started it (wParam 0).
#pragma once
#include <windows.h>

enum RepairMessage : UINT {
    WM_REPAIR_PROGRESS = 9916,  // lParam: percentage of the measured bytes deleted so far (may pass 100)
    WM_REPAIR_DONE = 9917,      // lParam: ProductCacheResult; the last message of a run that was not stopped
};
