// A Windows service for tests only. Install it under any key name with this program as the binary path;
// the arguments after the program name say how it behaves:
//   --start-pending <ms>  stay start pending that long, advancing the check point every 200 ms
//   --start-stuck <ms>    stay start pending that long without advancing the check point
//   --stop-pending <ms>   after a stop request, stay stop pending that long, advancing the check point
//   --stop-inline         report stopped from inside the stop control itself
#include <windows.h>

#include <cwchar>

namespace {

constexpr DWORD kStepMs = 200;
constexpr DWORD kWaitHintMs = 1000;

struct Options {
    DWORD startPendingMs = 0;
    bool startStuck = false;
    DWORD stopPendingMs = 0;
    bool stopInline = false;
};

Options g_options;
SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopRequested = nullptr;
DWORD g_checkPoint = 0;

void Report(DWORD state, bool advance) {
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = NO_ERROR;
    const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    if (pending && advance) ++g_checkPoint;
    status.dwCheckPoint = pending ? g_checkPoint : 0;
    status.dwWaitHint = pending ? kWaitHintMs : 0;
    ::SetServiceStatus(g_statusHandle, &status);
}

// Holds the pending state for the given time, reporting every step.
void Linger(DWORD state, DWORD ms, bool advance) {
    const DWORD start = ::GetTickCount();
    Report(state, true);
    while (::GetTickCount() - start < ms) {
        ::Sleep(kStepMs);
        Report(state, advance);
    }
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
    switch (control) {
    case SERVICE_CONTROL_STOP:
        if (g_options.stopInline) {
            Report(SERVICE_STOPPED, false);
        } else {
            g_checkPoint = 0;
            Report(SERVICE_STOP_PENDING, true);
        }
        ::SetEvent(g_stopRequested);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD argc, LPWSTR* argv) {
    g_statusHandle = ::RegisterServiceCtrlHandlerExW(argc > 0 ? argv[0] : L"", Handler, nullptr);
    if (!g_statusHandle) return;
    if (g_options.startPendingMs) Linger(SERVICE_START_PENDING, g_options.startPendingMs, !g_options.startStuck);
    Report(SERVICE_RUNNING, false);
    ::WaitForSingleObject(g_stopRequested, INFINITE);
    if (g_options.stopInline) return;
    if (g_options.stopPendingMs) Linger(SERVICE_STOP_PENDING, g_options.stopPendingMs, true);
    Report(SERVICE_STOPPED, false);
}

DWORD ParseMs(const wchar_t* text) { return static_cast<DWORD>(std::wcstoul(text, nullptr, 10)); }

Options ParseOptions(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::wcscmp(argv[i], L"--start-pending") && hasValue) {
            options.startPendingMs = ParseMs(argv[++i]);
        } else if (!std::wcscmp(argv[i], L"--start-stuck") && hasValue) {
            options.startPendingMs = ParseMs(argv[++i]);
            options.startStuck = true;
        } else if (!std::wcscmp(argv[i], L"--stop-pending") && hasValue) {
            options.stopPendingMs = ParseMs(argv[++i]);
        } else if (!std::wcscmp(argv[i], L"--stop-inline")) {
            options.stopInline = true;
        }
    }
    return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    g_options = ParseOptions(argc, argv);
    g_stopRequested = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // An own-process service: the name in the table is not used to find it.
    wchar_t name[] = L"SorvikTestService";
    SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
