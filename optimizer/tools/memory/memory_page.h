// What the game-mode page shows when a memory clean-up starts and when it is done, as control changes
// the window applies in order (plain values; any thread).
#pragma once
#include <string>
#include <vector>

#include "skin/controls/control_changes.h"

// The window's own "正在整理..." text, made in code rather than read from the skin ini ("#" marks such
// names, which no ini section can have).
constexpr wchar_t kMemoryStateTextName[] = L"#MemoryStatus";

// The icons a run hides (the memory half of the six "BoostIcon" images).
extern const wchar_t* const kMemoryIcons[3];

ControlChanges MemoryStartChanges();  // a run starts: animation up, button disabled
ControlChanges MemoryDoneChanges();   // WM_MEMORY_DONE: animation down, button enabled as "继续优化"
// A run that did nothing, or never started: the page as it was before, with `iconsShownBefore` of
// kMemoryIcons shown again and no cool-down.
ControlChanges MemoryIdleChanges(const std::vector<std::wstring>& iconsShownBefore);
