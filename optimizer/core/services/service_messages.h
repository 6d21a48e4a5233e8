// Message and command numbers of the service worker and the sweeps it reports to the main window.
#pragma once
#include <windows.h>

enum ServiceMessage : UINT {
    WM_SVC_COMMAND = 10016,         // thread message to the worker; wParam: SvcCommandBlock*, owned by the worker
    WM_SVC_STOP_DONE = 10017,       // boost sweep finished; lParam 0
    WM_SVC_STOP_PROGRESS = 10018,   // boost progress; lParam percent 1-99
    WM_SVC_START_DONE = 10019,      // restore sweep finished; lParam 0
    WM_SVC_START_PROGRESS = 10020,  // restore progress; lParam percent 1-99
};

enum ServiceCommand : int {
    SVC_CMD_STOP = 1,   // boost: stop the listed running services
    SVC_CMD_START = 2,  // restore: start the listed services again
};
