// Messages the memory clean-up worker posts to the window that started it (wParam 0).
#pragma once
#include <windows.h>

enum MemoryMessage : UINT {
    WM_MEMORY_PROGRESS = 10021,  // lParam: percentage 0-100
    WM_MEMORY_DONE = 10022,      // lParam: MemoryResult*, owned by the receiver (see memory_worker.h)
};
