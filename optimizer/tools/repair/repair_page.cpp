#include "optimizer/tools/repair/repair_page.h"

#include <windows.h>

#include <algorithm>

namespace {

const wchar_t kBegin[] = L"BeginRepairBtn";
const wchar_t kEnd[] = L"EndRepairBtn";
const wchar_t kAgain[] = L"ReRepairBtn";
const wchar_t kBar[] = L"RepairProgressBarCtrl";
const wchar_t kIdleIcon[] = L"RepairIcon";
const wchar_t kSucceedIcon[] = L"SucceedIcon";
const wchar_t kWarnIcon[] = L"WarnIcon";
const wchar_t kRunningText[] = L"RepairSateStatic";
const wchar_t kCompleteText[] = L"RepairCompleteStatic";
const wchar_t kCancelText[] = L"RepairCancelStatic";

// What every start shows: the cancel button, the running text and an empty bar.
void AppendRunning(ControlChanges& changes) {
    changes.push_back(ShowControl(kEnd));
    changes.push_back(ShowControl(kRunningText));
    changes.push_back(SetControlPos(kBar, 0));
    changes.push_back(ShowControl(kBar));
}

}  // namespace

ControlChanges RepairStartChanges() {
    ControlChanges changes{HideControl(kCompleteText), HideControl(kBegin), HideControl(kIdleIcon)};
    AppendRunning(changes);
    return changes;
}

ControlChanges RepairCancelChanges() {
    return {HideControl(kBegin), HideControl(kEnd),      HideControl(kRunningText), SetControlPos(kBar, 0),
            HideControl(kBar),   ShowControl(kWarnIcon), ShowControl(kAgain),       ShowControl(kCancelText)};
}

ControlChanges RepairAgainChanges() {
    ControlChanges changes{HideControl(kCancelText), HideControl(kWarnIcon),     HideControl(kSucceedIcon),
                           HideControl(kAgain),      HideControl(kCompleteText), HideControl(kBegin),
                           HideControl(kIdleIcon)};
    AppendRunning(changes);
    return changes;
}

ControlChanges RepairProgressChanges(LPARAM percent) {
    return {SetControlPos(kBar, static_cast<int>((std::max<LPARAM>)(0, (std::min<LPARAM>)(100, percent))))};
}

ControlChanges RepairDoneChanges() {
    return {HideControl(kBar),         HideControl(kEnd),          HideControl(kRunningText),
            ShowControl(kSucceedIcon), ShowControl(kCompleteText), ShowControl(kAgain)};
}
