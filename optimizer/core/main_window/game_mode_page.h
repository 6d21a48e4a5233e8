// What the first page shows for each game-mode view: pure lists of control changes, applied in order by
// the main window (the tray's part is TrayChangeFor).
#pragma once
#include "optimizer/core/game_mode/game_mode.h"
#include "skin/controls/control_changes.h"

namespace game_mode_text {
constexpr const wchar_t* kBoosting = L"\u6b63\u5728\u52a0\u901f...";               // 正在加速...
constexpr const wchar_t* kRestoring = L"\u6b63\u5728\u53d6\u6d88\u52a0\u901f...";  // 正在取消加速...
// 服务未能停止。停止服务需要管理员权限,请以管理员身份运行本程序后再试。 (the page-file box's wording)
constexpr const wchar_t* kNeedAdmin =
    L"\u670d\u52a1\u672a\u80fd\u505c\u6b62\u3002"
    L"\u505c\u6b62\u670d\u52a1\u9700\u8981\u7ba1\u7406\u5458\u6743\u9650,"
    L"\u8bf7\u4ee5\u7ba1\u7406\u5458\u8eab\u4efd\u8fd0\u884c\u672c\u7a0b\u5e8f\u540e\u518d\u8bd5\u3002";
}  // namespace game_mode_text

ControlChanges GameModePageChanges(GameModeView view);
