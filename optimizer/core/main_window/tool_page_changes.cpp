#include "optimizer/core/main_window/tool_page_changes.h"

#include "optimizer/core/main_window/main_window_controls.h"

namespace {

ControlChanges Hide(std::initializer_list<const wchar_t*> names) {
    ControlChanges changes;
    for (const wchar_t* name : names)
        changes.push_back(HideControl(name));
    return changes;
}

void Show(ControlChanges& changes, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names)
        changes.push_back(ShowControl(name));
}

// The repair bar starts each run empty.
void ShowEmptyBar(ControlChanges& changes) {
    changes.push_back(SetControlPos(L"RepairProgressBarCtrl", 0));
    changes.push_back(ShowControl(L"RepairProgressBarCtrl"));
}

}  // namespace

ControlChanges MemoryStartChanges() {
    ControlChanges changes = Hide({L"BoostIcon2", L"BoostIcon4", L"BoostIcon6"});
    Show(changes, {L"ChaosCircle21", L"ChaosCircle22", L"ChaosCircle23", main_controls::kMemoryStatus});
    changes.push_back(DisableControl(L"BeginMemoryBtn"));
    return changes;
}

ControlChanges MemoryDoneChanges() {
    ControlChanges changes = {EnableControl(L"BeginMemoryBtn")};
    for (const ControlChange& hide :
         Hide({L"ChaosCircle21", L"ChaosCircle22", L"ChaosCircle23", main_controls::kMemoryStatus}))
        changes.push_back(hide);
    Show(changes, {L"BoostIcon6"});
    changes.push_back(SetControlText(L"BeginMemoryBtn", tool_text::kMemoryAgain));
    return changes;
}

ControlChanges RepairPageChanges(RepairEvent event) {
    ControlChanges changes;
    switch (event) {
        case RepairEvent::kStart:
            changes = Hide({L"RepairCompleteStatic", L"BeginRepairBtn", L"RepairIcon"});
            Show(changes, {L"EndRepairBtn", L"RepairSateStatic"});
            ShowEmptyBar(changes);
            break;
        case RepairEvent::kCancel:
            changes = Hide({L"BeginRepairBtn", L"EndRepairBtn", L"RepairSateStatic", L"RepairProgressBarCtrl"});
            changes.push_back(SetControlPos(L"RepairProgressBarCtrl", 0));
            Show(changes, {L"WarnIcon", L"ReRepairBtn", L"RepairCancelStatic"});
            break;
        case RepairEvent::kAgain:
            changes = Hide({L"RepairCancelStatic", L"WarnIcon", L"SucceedIcon", L"ReRepairBtn", L"RepairCompleteStatic",
                            L"BeginRepairBtn", L"RepairIcon"});
            Show(changes, {L"EndRepairBtn", L"RepairSateStatic"});
            ShowEmptyBar(changes);
            break;
        case RepairEvent::kDone:
            changes = Hide({L"RepairProgressBarCtrl", L"EndRepairBtn", L"RepairSateStatic"});
            Show(changes, {L"SucceedIcon", L"RepairCompleteStatic", L"ReRepairBtn"});
            break;
    }
    return changes;
}
