#include "optimizer/core/services/service_control.h"

#include <cstdio>

#include "optimizer/core/services/serv_handle.h"

using namespace service_timing;

namespace {

bool QueryStatus(SC_HANDLE service, SERVICE_STATUS_PROCESS& status) {
    DWORD needed = 0;
    return ::QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                                  &needed) != FALSE;
}

// Tick differences stay right across the 49-day wrap of GetTickCount.
bool PastStopLimit(DWORD entryTick) { return ::GetTickCount() - entryTick > kStopLimitMs; }

}  // namespace

DWORD StartPollDelay(DWORD waitHint) {
    DWORD delay = waitHint / 10;
    if (delay < kStartMinWaitMs) delay = kStartMinWaitMs;
    if (delay > kStartMaxWaitMs) delay = kStartMaxWaitMs;
    return delay;
}

StopOutcome StopServiceWithOutcome(const std::wstring& name) {
    const DWORD entryTick = ::GetTickCount();
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return StopOutcome::kFailed;
    CServHandle service(
        ::OpenServiceW(manager.Get(), name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS));
    if (!service) return StopOutcome::kFailed;

    SERVICE_STATUS_PROCESS status = {};
    if (!QueryStatus(service.Get(), status)) return StopOutcome::kFailed;
    if (status.dwCurrentState == SERVICE_STOPPED) return StopOutcome::kAlreadyStopped;

    // Somebody else is stopping it: wait for that stop rather than sending a second one.
    while (status.dwCurrentState == SERVICE_STOP_PENDING) {
        ::Sleep(kPollMs);
        if (!QueryStatus(service.Get(), status)) return StopOutcome::kFailed;
        if (status.dwCurrentState == SERVICE_STOPPED) return StopOutcome::kAlreadyStopped;
        if (PastStopLimit(entryTick)) return StopOutcome::kFailed;
    }

    SERVICE_STATUS controlStatus = {};
    if (!::ControlService(service.Get(), SERVICE_CONTROL_STOP, &controlStatus)) {
        // A service that stops inside its handler may end its process before the answer reaches us.
        const DWORD error = ::GetLastError();
        if (!QueryStatus(service.Get(), status) || status.dwCurrentState != SERVICE_STOPPED)
            return StopOutcome::kFailed;
        return error == ERROR_SERVICE_NOT_ACTIVE ? StopOutcome::kAlreadyStopped : StopOutcome::kStoppedByUs;
    }
    // A service may stop inside its control handler; that is our stop succeeding at once.
    if (controlStatus.dwCurrentState == SERVICE_STOPPED) return StopOutcome::kStoppedByUs;

    for (;;) {
        ::Sleep(kPollMs);
        if (!QueryStatus(service.Get(), status)) return StopOutcome::kFailed;
        if (status.dwCurrentState == SERVICE_STOPPED) return StopOutcome::kStoppedByUs;
        if (PastStopLimit(entryTick)) return StopOutcome::kFailed;
    }
}

bool StopServiceAndWait(const std::wstring& name) { return StopServiceWithOutcome(name) != StopOutcome::kFailed; }

bool StartServiceAndWait(const std::wstring& name) {
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return false;
    CServHandle service(::OpenServiceW(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
    if (!service) return false;
    if (!::StartServiceW(service.Get(), 0, nullptr)) return false;
    std::fputs("Service start pending...\n", stdout);
    std::fflush(stdout);

    SERVICE_STATUS_PROCESS status = {};
    if (!QueryStatus(service.Get(), status)) return false;
    DWORD progressTick = ::GetTickCount();
    DWORD checkPoint = status.dwCheckPoint;
    while (status.dwCurrentState == SERVICE_START_PENDING) {
        ::Sleep(StartPollDelay(status.dwWaitHint));
        if (!QueryStatus(service.Get(), status)) break;
        if (status.dwCheckPoint > checkPoint) {
            progressTick = ::GetTickCount();
            checkPoint = status.dwCheckPoint;
        } else if (::GetTickCount() - progressTick > status.dwWaitHint) {
            break;  // no progress within one wait hint: the service is stuck
        }
    }
    return status.dwCurrentState == SERVICE_RUNNING;
}
