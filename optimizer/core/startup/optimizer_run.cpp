#include "optimizer/core/startup/optimizer_run.h"

#include <windows.h>

#include "common/privilege.h"
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/tools/page_file/page_file_advice.h"
#include "optimizer/tools/process_list/list_dlg.h"
#include "skin/window/message_loop.h"

int RunOptimizer() {
    // Needed to stop services and end other users' processes; without it those simply fail.
    EnableProcessPrivilege(L"SeDebugPrivilege");
    CMessageLoop loop;
    int result = 0;
    {
        CMainWindow window(DefaultMainWindowSettings());
        CListDlg pane;
        window.BeginCreation();  // the services and the first images, beside what follows here
        const bool pageFileWarning = PageFileNeedsAdvice();
        window.SetPageFileWarning(pageFileWarning);
        pane.SetPageFileWarning(pageFileWarning);
        pane.BeginFirstRefresh();  // beside the main window's creation, which mostly waits
        HWND hwnd = window.CreateMainWindow();
        if (!hwnd) {
            // Creation failed and said nothing: only the quit message of the destroyed window is left.
            MSG msg;
            ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            return 0;
        }
        pane.SetMainWindow(hwnd);
        window.SetProcessPane(pane.Create(hwnd));
        ::ShowWindow(hwnd, SW_SHOW);
        if (pane.GetHwnd())
            ::ShowWindow(pane.GetHwnd(), SW_SHOW);
        ::UpdateWindow(hwnd);
        result = loop.Run();
    }
    return result;
}
