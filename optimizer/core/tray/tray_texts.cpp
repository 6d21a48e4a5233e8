#include "optimizer/core/tray/tray_texts.h"

TrayChange TrayChangeFor(const GameModeStep& step) {
    TrayChange change;
    if (step.greyQuit)
        change.quit = TrayChange::kQuitGreyed;
    switch (step.view) {
        case GameModeView::kOn:
            change = {tray_text::kTipGameMode, tray_text::kItemLeaveGameMode, tray_text::kItemCancelAndQuit,
                      TrayChange::kQuitEnabled};
            break;
        case GameModeView::kOff:
            change = {tray_text::kTipNotBoosted, tray_text::kItemStartGameMode, tray_text::kItemQuit,
                      TrayChange::kQuitEnabled};
            break;
        default:
            break;
    }
    return change;
}
