// Sorvik's entry: the "update" mode, the single running copy, then the optimizer's run.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "optimizer/core/startup/optimizer_run.h"
#include "optimizer/core/startup/single_instance.h"
#include "skin/files/gdiplus_session.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    // OLE rather than plain COM: the tools page hosts the web browser control in place.
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&controls);

    if (IsUpdateCommandLine(commandLine)) {
        EndOtherCopies(L"Sorvik.exe");
        return 1;
    }
    AutoHandle instance = ClaimSingleInstance();
    if (!instance) {
        ActivateRunningCopy();
        return 0;
    }
    int result = 0;
    {
        ScopedGdiplus gdiplus;
        result = RunOptimizer();
    }
    ::OleUninitialize();
    instance.Reset();
    // Ended here, after the shutdown order, rather than by returning: the background threads that are still
    // running must not outlive the objects that the runtime's exit would destroy next.
    ::ExitProcess(static_cast<UINT>(result));
}
