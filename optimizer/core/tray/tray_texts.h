// What the tray icon says: tooltips, balloons and the texts of the menu items that follow game mode.
// Pure values; the wide texts become ANSI (GBK) narrow strings only in the tray record.
#pragma once
#include "optimizer/core/game_mode/game_mode.h"

namespace tray_text {
constexpr const wchar_t* kBalloonTitle = L"Sorvik";
constexpr const wchar_t* kTipAtStart =
    L"Sorvik\r\n\u72b6\u6001:\u672a\u5f00\u542f\u6e38\u620f\u6a21\u5f0f";  // 状态:未开启游戏模式
constexpr const wchar_t* kTipGameMode = L"Sorvik\r\n\u72b6\u6001:\u6e38\u620f\u6a21\u5f0f";  // 状态:游戏模式
constexpr const wchar_t* kTipNotBoosted = L"Sorvik\r\n\u72b6\u6001:\u672a\u6027\u80fd\u52a0\u901f";  // 状态:未性能加速
constexpr const wchar_t* kBalloonStarted = L"Sorvik\u542f\u52a8\u5566";                              // Sorvik启动啦
constexpr const wchar_t* kBalloonHidden =
    L"\u9700\u8981\u65f6\u8bb0\u5f97\u547c\u51faSorvik\u54e6";  // 需要时记得呼出Sorvik哦
constexpr const wchar_t* kBalloonQuitting =
    L"Sorvik\u6b63\u5728\u53d6\u6d88\u6027\u80fd\u52a0\u901f";  // Sorvik正在取消性能加速
constexpr const wchar_t* kItemLeaveGameMode = L"\u9000\u51fa\u6e38\u620f\u6a21\u5f0f(&E)";  // 退出游戏模式(&E)
constexpr const wchar_t* kItemStartGameMode = L"\u5f00\u542f\u6e38\u620f\u6a21\u5f0f(&E)";  // 开启游戏模式(&E)
constexpr const wchar_t* kItemCancelAndQuit = L"\u53d6\u6d88\u4f18\u5316\u5e76\u9000\u51fa(&E)";  // 取消优化并退出(&E)
constexpr const wchar_t* kItemQuit = L"\u9000\u51fa(&E)";                                         // 退出(&E)
}  // namespace tray_text

// How the tray follows one game-mode transition. Null texts stay as they are.
struct TrayChange {
    // Items 40005 and 40008 together: neither may start or end anything while a sweep runs.
    enum SweepItems { kItemsUnchanged, kItemsGreyed, kItemsEnabled };
    const wchar_t* tip = nullptr;
    const wchar_t* gameModeItem = nullptr;  // 40005
    const wchar_t* quitItem = nullptr;      // 40008
    SweepItems items = kItemsUnchanged;
};

TrayChange TrayChangeFor(const GameModeStep& step);
