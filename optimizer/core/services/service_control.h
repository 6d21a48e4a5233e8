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

// The manager calls that need rights. Process-wide and replaceable, so that tests can refuse them the way
// a machine refuses a program without administrator rights (Wine grants every right). Set them only
// while no sweep runs.
struct ServiceManagerCalls {
    decltype(&::OpenSCManagerW) openManager = ::OpenSCManagerW;
    decltype(&::OpenServiceW) openService = ::OpenServiceW;
    decltype(&::ControlService) controlService = ::ControlService;
    decltype(&::StartServiceW) startService = ::StartServiceW;
};
ServiceManagerCalls& ServiceCalls();

// How a stop ended; only kStoppedByUs means this call brought the service down. kRefused: the manager or
// the service denied access (no administrator rights).
enum class StopOutcome { kStoppedByUs, kAlreadyStopped, kRefused, kFailed };

// How a start ended; kStarted means this call brought the service up.
enum class StartOutcome { kStarted, kAlreadyRunning, kMissing, kRefused, kFailed };

// The delay between status queries while a service is start pending.
DWORD StartPollDelay(DWORD waitHint);

// Stops the service and waits up to 60 s from entry; dependents are not stopped first.
StopOutcome StopServiceWithOutcome(const std::wstring& name);
// True when the service is stopped at the end, whoever stopped it.
bool StopServiceAndWait(const std::wstring& name);

// Starts the service and waits while it advances its check point.
StartOutcome StartServiceWithOutcome(const std::wstring& name);
// True when this call started the service and it ended up running.
bool StartServiceAndWait(const std::wstring& name);
// Whether a journalled service may leave the journal after this start: it runs, or no longer exists.
bool StartSettlesJournal(StartOutcome outcome);
