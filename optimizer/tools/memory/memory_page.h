// What the game-mode page shows when a memory clean-up starts and when it is done, as control changes
// the window applies in order (plain values; any thread).
#pragma once
#include "skin/controls/control_changes.h"

// Name under which the window keeps its code-made "正在整理..." text among the page's controls.
constexpr wchar_t kMemoryStateTextName[] = L"MemoryStateStatic";

ControlChanges MemoryStartChanges();  // a run starts: animation up, button disabled
ControlChanges MemoryDoneChanges();   // WM_MEMORY_DONE: animation down, button enabled as "继续优化"
