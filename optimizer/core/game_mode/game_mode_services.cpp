#include "optimizer/core/game_mode/game_mode_services.h"

#include <cstdlib>
#include <ctime>

#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_worker.h"

void MeasureGameMode(CGameMode& mode, CServiceEnumer& services, HWND owner,
                     const std::function<void(CServiceEnumer&)>& narrow) {
    services.Refresh();
    CountGameMode(mode, services, owner, narrow);
}

void CountGameMode(CGameMode& mode, CServiceEnumer& services, HWND owner,
                   const std::function<void(CServiceEnumer&)>& narrow) {
    mode.m_gameMode = false;
    services.m_owner = owner;
    if (narrow) narrow(services);
    services.CountListed();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    mode.SetMeasurement(services.m_listedCount, services.m_totalRunning, std::rand());
}

GameModeStep HandStepToWorker(CGameMode& mode, CServiceWorker& worker, const GameModeStep& step) {
    if (step.command == 0 || worker.PostCommand(&mode.m_busy, step.command)) return step;
    return mode.HandOverFailed();
}
