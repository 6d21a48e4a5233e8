#include "optimizer/tools/memory/memory_page.h"

const wchar_t* const kMemoryIcons[3] = {L"BoostIcon2", L"BoostIcon4", L"BoostIcon6"};

namespace {
const wchar_t kButton[] = L"BeginMemoryBtn";
const wchar_t* const kCircles[] = {L"ChaosCircle21", L"ChaosCircle22", L"ChaosCircle23"};

// Animation down and the button usable again: what every end of a run shares.
ControlChanges MemoryStopChanges() {
    ControlChanges changes{EnableControl(kButton)};
    for (const wchar_t* circle : kCircles)
        changes.push_back(HideControl(circle));
    changes.push_back(HideControl(kMemoryStateTextName));
    return changes;
}
}  // namespace

ControlChanges MemoryStartChanges() {
    ControlChanges changes;
    for (const wchar_t* icon : kMemoryIcons)
        changes.push_back(HideControl(icon));
    for (const wchar_t* circle : kCircles)
        changes.push_back(ShowControl(circle));
    changes.push_back(ShowControl(kMemoryStateTextName));
    changes.push_back(DisableControl(kButton));
    return changes;
}

ControlChanges MemoryDoneChanges() {
    ControlChanges changes = MemoryStopChanges();
    changes.push_back(ShowControl(L"BoostIcon6"));
    changes.push_back(SetControlText(kButton, L"继续优化"));
    return changes;
}

ControlChanges MemoryIdleChanges(const std::vector<std::wstring>& iconsShownBefore) {
    ControlChanges changes = MemoryStopChanges();
    for (const std::wstring& icon : iconsShownBefore)
        changes.push_back(ShowControl(icon));
    return changes;
}
