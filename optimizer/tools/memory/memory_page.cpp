#include "optimizer/tools/memory/memory_page.h"

namespace {
const wchar_t kButton[] = L"BeginMemoryBtn";
const wchar_t* const kCircles[] = {L"ChaosCircle21", L"ChaosCircle22", L"ChaosCircle23"};
}  // namespace

ControlChanges MemoryStartChanges() {
    ControlChanges changes{HideControl(L"BoostIcon2"), HideControl(L"BoostIcon4"), HideControl(L"BoostIcon6")};
    for (const wchar_t* circle : kCircles)
        changes.push_back(ShowControl(circle));
    changes.push_back(ShowControl(kMemoryStateTextName));
    changes.push_back(DisableControl(kButton));
    return changes;
}

ControlChanges MemoryDoneChanges() {
    ControlChanges changes{EnableControl(kButton)};
    for (const wchar_t* circle : kCircles)
        changes.push_back(HideControl(circle));
    changes.push_back(HideControl(kMemoryStateTextName));
    changes.push_back(ShowControl(L"BoostIcon6"));
    changes.push_back(SetControlText(kButton, L"继续优化"));
    return changes;
}
