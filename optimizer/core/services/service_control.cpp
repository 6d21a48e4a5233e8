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

bool AccessDenied() { return ::GetLastError() == ERROR_ACCESS_DENIED; }

}  // namespace

ServiceManagerCalls& ServiceCalls() {
    static ServiceManagerCalls calls;
    return calls;
}

DWORD StartPollDelay(DWORD waitHint) {
    DWORD delay = waitHint / 10;
    if (delay < kStartMinWaitMs) delay = kStartMinWaitMs;
    if (delay > kStartMaxWaitMs) delay = kStartMaxWaitMs;
    return delay;
}

StopOutcome StopServiceWithOutcome(const std::wstring& name) {
    const DWORD entryTick = ::GetTickCount();
    const ServiceManagerCalls& calls = ServiceCalls();
    CServHandle manager(calls.openManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return AccessDenied() ? StopOutcome::kRefused : StopOutcome::kFailed;
    CServHandle service(calls.openService(manager.Get(), name.c_str(),
                                          SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS));
    if (!service) return AccessDenied() ? StopOutcome::kRefused : StopOutcome::kFailed;

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
    if (!calls.controlService(service.Get(), SERVICE_CONTROL_STOP, &controlStatus)) {
        // A service that stops inside its handler may end its process before the answer reaches us.
        const DWORD error = ::GetLastError();
        if (error == ERROR_ACCESS_DENIED) return StopOutcome::kRefused;
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

bool StopServiceAndWait(const std::wstring& name) {
    const StopOutcome outcome = StopServiceWithOutcome(name);
    return outcome == StopOutcome::kStoppedByUs || outcome == StopOutcome::kAlreadyStopped;
}

StartOutcome StartServiceWithOutcome(const std::wstring& name) {
    const ServiceManagerCalls& calls = ServiceCalls();
    CServHandle manager(calls.openManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return AccessDenied() ? StartOutcome::kRefused : StartOutcome::kFailed;
    CServHandle service(calls.openService(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
    if (!service) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SERVICE_DOES_NOT_EXIST) return StartOutcome::kMissing;
        return error == ERROR_ACCESS_DENIED ? StartOutcome::kRefused : StartOutcome::kFailed;
    }
    if (!calls.startService(service.Get(), 0, nullptr)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_SERVICE_ALREADY_RUNNING) return StartOutcome::kAlreadyRunning;
        return error == ERROR_ACCESS_DENIED ? StartOutcome::kRefused : StartOutcome::kFailed;
    }
    std::fputs("Service start pending...\n", stdout);
    std::fflush(stdout);

    SERVICE_STATUS_PROCESS status = {};
    if (!QueryStatus(service.Get(), status)) return StartOutcome::kFailed;
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
    return status.dwCurrentState == SERVICE_RUNNING ? StartOutcome::kStarted : StartOutcome::kFailed;
}

bool StartServiceAndWait(const std::wstring& name) { return StartServiceWithOutcome(name) == StartOutcome::kStarted; }

bool StartSettlesJournal(StartOutcome outcome) {
    // A service that cannot start now stays named, so the next start tries again; one that was removed
    // can never come back.
    return outcome == StartOutcome::kStarted || outcome == StartOutcome::kAlreadyRunning ||
           outcome == StartOutcome::kMissing;
}
