// What the repair part of the network page shows at each step of a run, as control changes the window
// applies in order (plain values; any thread).
#pragma once
#include <windows.h>

#include <string>

#include "optimizer/tools/repair/cache_cleaning/cache_plan.h"
#include "skin/controls/control_changes.h"

ControlChanges RepairStartChanges();                   // "BeginRepairBtn": a first run starts
ControlChanges RepairCancelChanges();                  // "EndRepairBtn": the run is stopped
ControlChanges RepairAgainChanges();                   // "ReRepairBtn": a run starts after a finished or stopped one
ControlChanges RepairProgressChanges(LPARAM percent);  // WM_REPAIR_PROGRESS; kept within 0-100
// WM_REPAIR_DONE: the success mark only when the product cache was cleaned, otherwise the warning mark.
ControlChanges RepairDoneChanges(ProductCacheResult product);
// What the skinned box then says about a product cache that was not cleaned; empty when it was.
std::wstring RepairNoticeText(ProductCacheResult product);
