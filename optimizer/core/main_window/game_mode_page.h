// What the first page shows for each game-mode view: pure lists of control changes, applied in order by
// the main window (the tray's part is TrayChangeFor).
#pragma once
#include "optimizer/core/game_mode/game_mode.h"
#include "skin/controls/control_changes.h"

namespace game_mode_text {
constexpr const wchar_t* kBoosting = L"\u6b63\u5728\u52a0\u901f...";               // 正在加速...
constexpr const wchar_t* kRestoring = L"\u6b63\u5728\u53d6\u6d88\u52a0\u901f...";  // 正在取消加速...
}  // namespace game_mode_text

ControlChanges GameModePageChanges(GameModeView view);
