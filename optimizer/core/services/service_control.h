// Stops or starts one service through the Service Control Manager and waits for the outcome.
// Stateless; may be called from any thread. Blocks the caller for the waits described below.
#pragma once
#include <windows.h>
#include <string>

namespace service_timing {
constexpr DWORD kPollMs = 200;           // status polling while a stop is pending
constexpr DWORD kStopLimitMs = 60000;    // a stop gives up this long after entry
constexpr DWORD kStartMinWaitMs = 1000;  // start polling: a tenth of the wait hint, within these bounds
constexpr DWORD kStartMaxWaitMs = 10000;
}  // namespace service_timing

// How a stop ended; only kStoppedByUs means this call brought the service down.
enum class StopOutcome { kStoppedByUs, kAlreadyStopped, kFailed };

// The delay between status queries while a service is start pending.
DWORD StartPollDelay(DWORD waitHint);

// Stops the service and waits up to 60 s from entry; dependents are not stopped first.
StopOutcome StopServiceWithOutcome(const std::wstring& name);
// True when the service is stopped at the end, whoever stopped it.
bool StopServiceAndWait(const std::wstring& name);

// Starts the service and waits while it advances its check point; true when it ends up running.
bool StartServiceAndWait(const std::wstring& name);
