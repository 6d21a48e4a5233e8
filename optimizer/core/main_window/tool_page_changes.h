// The first and second pages' own transitions for the memory clean-up and game repair: pure lists of
// control changes the main window applies in order.
#pragma once
#include "skin/controls/control_changes.h"

namespace tool_text {
constexpr const wchar_t* kMemoryAgain = L"\u7ee7\u7eed\u4f18\u5316";  // 继续优化
}

ControlChanges MemoryStartChanges();
ControlChanges MemoryDoneChanges();

enum class RepairEvent { kStart, kCancel, kAgain, kDone };
ControlChanges RepairPageChanges(RepairEvent event);
