// Messages the memory clean-up worker posts to the window that started it (wParam 0).
#pragma once
#include <windows.h>

enum MemoryMessage : UINT {
    WM_MEMORY_PROGRESS = 10021,  // lParam: percentage 0-100
    WM_MEMORY_DONE = 10022,      // lParam 0; the result waits in the window's slot (see memory_worker.h)
};
