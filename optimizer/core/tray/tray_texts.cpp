#include "optimizer/core/tray/tray_texts.h"

TrayChange TrayChangeFor(const GameModeStep& step) {
    TrayChange change;
    if (step.greyTray)
        change.items = TrayChange::kItemsGreyed;
    switch (step.view) {
        case GameModeView::kOn:
            change = {tray_text::kTipGameMode, tray_text::kItemLeaveGameMode, tray_text::kItemCancelAndQuit,
                      TrayChange::kItemsEnabled};
            break;
        case GameModeView::kOff:
            change = {tray_text::kTipNotBoosted, tray_text::kItemStartGameMode, tray_text::kItemQuit,
                      TrayChange::kItemsEnabled};
            break;
        default:
            break;
    }
    return change;
}
