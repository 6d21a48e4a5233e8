// Message and command numbers of the service worker and the sweeps it reports to the main window.
#pragma once
#include <windows.h>

enum ServiceMessage : UINT {
    WM_SVC_COMMAND = 10016,         // thread message to the worker; wParam: SvcCommandBlock*, owned by the worker
    WM_SVC_STOP_DONE = 10017,       // boost sweep finished; lParam: SweepDoneParam
    WM_SVC_STOP_PROGRESS = 10018,   // boost progress; lParam percent 1-99
    WM_SVC_START_DONE = 10019,      // restore sweep finished; lParam 0
    WM_SVC_START_PROGRESS = 10020,  // restore progress; lParam percent 1-99
};

enum ServiceCommand : int {
    SVC_CMD_STOP = 1,   // boost: stop the listed running services
    SVC_CMD_START = 2,  // restore: start the listed services again
};

// What a finished boost tells the window: how many services it stopped itself, and whether any stop was
// refused for lack of rights.
struct SweepOutcome {
    int stopped = 0;
    bool refused = false;
};

inline LPARAM SweepDoneParam(const SweepOutcome& outcome) {
    return static_cast<LPARAM>(outcome.stopped) << 1 | (outcome.refused ? 1 : 0);
}
inline SweepOutcome SweepOutcomeOf(LPARAM param) {
    return {static_cast<int>(param >> 1), (param & 1) != 0};
}
