#include "optimizer/core/main_window/game_mode_page.h"

#include "optimizer/core/main_window/main_window_controls.h"

namespace {

void AddCircles(ControlChanges& changes, bool show) {
    for (const wchar_t* circle : {L"ChaosCircle1", L"ChaosCircle2", L"ChaosCircle3"})
        changes.push_back(show ? ShowControl(circle) : HideControl(circle));
}

}  // namespace

ControlChanges GameModePageChanges(GameModeView view) {
    using main_controls::kServiceCount;
    using main_controls::kSweepStatus;
    ControlChanges changes;
    switch (view) {
        case GameModeView::kBoosting:
            changes = {HideControl(kServiceCount), HideControl(L"BoostIcon1"), HideControl(L"BoostIcon3"),
                       HideControl(L"BoostIcon5"), DisableControl(L"BeginBoostBtn")};
            AddCircles(changes, true);
            changes.push_back(SetControlText(kSweepStatus, game_mode_text::kBoosting));
            changes.push_back(ShowControl(kSweepStatus));
            break;
        case GameModeView::kRestoring:
            changes = {HideControl(L"BoostIcon5"), DisableControl(L"CancelBoostBtn")};
            AddCircles(changes, true);
            changes.push_back(SetControlText(kSweepStatus, game_mode_text::kRestoring));
            changes.push_back(ShowControl(kSweepStatus));
            break;
        case GameModeView::kOn:
            // Both views also serve a sweep the worker never took, so each enables the button it shows.
            changes = {ShowControl(L"BoostIcon5")};
            AddCircles(changes, false);
            changes.insert(changes.end(), {HideControl(L"BeginBoostBtn"), EnableControl(L"BeginBoostBtn"),
                                           ShowControl(L"CancelBoostBtn"), EnableControl(L"CancelBoostBtn"),
                                           HideControl(kSweepStatus)});
            break;
        case GameModeView::kOff:
            // Icon 5 comes back as well, so the page looks as it did at start after a full round.
            changes = {ShowControl(L"BoostIcon1"), ShowControl(L"BoostIcon3"), ShowControl(L"BoostIcon5")};
            AddCircles(changes, false);
            changes.insert(changes.end(), {HideControl(L"CancelBoostBtn"), EnableControl(L"CancelBoostBtn"),
                                           ShowControl(L"BeginBoostBtn"), EnableControl(L"BeginBoostBtn"),
                                           HideControl(kSweepStatus), ShowControl(kServiceCount)});
            break;
        case GameModeView::kUnchanged:
            break;
    }
    return changes;
}
