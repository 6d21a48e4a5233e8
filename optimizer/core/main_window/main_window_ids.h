// Every command, timer, message and resource number of the main window and its tray icon, in one place.
#pragma once
#include <windows.h>

#include "optimizer/tools/speed_test/speed_page.h"
#include "optimizer/tools/memory/memory_messages.h"  // WM_MEMORY_PROGRESS, WM_MEMORY_DONE
#include "optimizer/tools/repair/repair_messages.h"  // WM_REPAIR_PROGRESS, WM_REPAIR_DONE
#include "resources/sorvik/sorvik_resource_ids.h"

// WM_COMMAND low words (notification code 0): skin controls and the tray menu.
enum MainWindowCommand : WORD {
    kCmdHideToTray = 1,                    // "SysCloseBtn"
    kCmdPluginPage = 2,                    // "FlashLink"
    kCmdRepairStart = 3,                   // "BeginRepairBtn"
    kCmdRepairCancel = 4,                  // "EndRepairBtn"
    kCmdFeedbackPage = 5,                  // "RepairSateLink"
    kCmdRepairBar = 6,                     // "RepairProgressBarCtrl" (reports nothing)
    kCmdSpeedBar = 7,                      // "NetWorkSpeedProgress1" (reports nothing)
    kCmdSpeedGauge = 8,                    // "NetWorkSpeedProgress2" (reports nothing)
    kCmdRepairAgain = 9,                   // "ReRepairBtn"
    kCmdSpeedCancel = 11,                  // "CancelSpeedBtn"
    kCmdSpeedRestart = 12,                 // "RestartSpeedBtn"
    kCmdSpeedRetry = 13,                   // "SpeedFailedBtn"
    kCmdMinimize = 15,                     // "SysMinBtn"
    kCmdTabStrip = 16,                     // "MainTabUI"
    kCmdBoost = 17,                        // "BeginBoostBtn", tray
    kCmdMemory = 18,                       // "BeginMemoryBtn", tray
    kCmdPageFileAdvice = 20,               // "VirtualMemoryLink"
    kCmdCancelBoost = 31,                  // "CancelBoostBtn", tray, quit
    kCmdTrayGameMode = ID_TRAY_GAME_MODE,  // 40005
    kCmdTrayRepair = ID_TRAY_REPAIR,       // 40006
    kCmdTrayTools = ID_TRAY_TOOLS,         // 40007
    kCmdTrayQuit = ID_TRAY_QUIT,           // 40008
    kCmdTrayMemory = ID_TRAY_MEMORY,       // 40024
};

enum MainWindowTimer : UINT_PTR {
    kTimerSpeedSampling = speed_page::kSamplingTimer,  // 50 ms, speed test samples
    kTimerSpeedGauge = speed_page::kGaugeTimer,        // 1 ms, the gauge swings to the average
    kTimerCachePoll = 4,                               // 5 ms, Scoura's measured size
    kTimerMemoryCoolDown = 2015,
    kTimerQuitAfterRestore = 2016,
    kTimerPaintBufferIdle = 2017,  // one-shot: the paint buffer is let go
};

constexpr UINT kCachePollMs = 5;
constexpr UINT kMemoryCoolDownMs = 600000;
constexpr UINT kQuitPollMs = 1000;
constexpr UINT kPaintBufferKeepMs = 2000;

// Window messages of the tray icon; the workers' own are in their headers above and in service_messages.h.
enum MainWindowMessage : UINT {
    WM_TRAY_CALLBACK = 2024,  // lParam: the mouse message on the tray icon
};

constexpr UINT kTrayIconId = 1000;
