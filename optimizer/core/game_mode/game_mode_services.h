// Where game mode meets the services: the one-time measurement at window creation and the hand-over of a
// transition's sweep command to the worker. Main window's thread.
#pragma once
#include <windows.h>

#include <functional>

#include "optimizer/core/game_mode/game_mode.h"

class CServiceEnumer;
class CServiceWorker;

// Snapshots and counts the services and scores them once; owner receives the sweep messages from now on.
// What a previous run's boost left stopped is started by the worker (CServiceWorker::Start).
// `narrow`, when set, runs between the snapshot and the count (tests keep only their own services).
void MeasureGameMode(CGameMode& mode, CServiceEnumer& services, HWND owner,
                     const std::function<void(CServiceEnumer&)>& narrow = nullptr);
// The same on a snapshot already taken (CServiceEnumer::Refresh, which may run on another thread).
void CountGameMode(CGameMode& mode, CServiceEnumer& services, HWND owner,
                   const std::function<void(CServiceEnumer&)>& narrow = nullptr);

// Gives the step's command to the worker. Returns the step to apply: the same one, or the model's
// fallback when the worker did not take the command, so the busy flag never stays set.
GameModeStep HandStepToWorker(CGameMode& mode, CServiceWorker& worker, const GameModeStep& step);
