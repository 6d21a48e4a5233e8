// CListDlg: the process-list pane, a modeless child dialog of the main window on its first page. It
// shows the user's own programs, largest working set first, refreshed every three seconds by its
// refresh thread; each row's end-process button asks for confirmation in the skinned message box and
// on OK ends the listed instances of that program, saying so in the box when one cannot be ended.
// Window thread only; the refresh thread reports by posted messages.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "common/background_call.h"

#include "optimizer/tools/process_list/controls/list_view_ctrl_ex.h"
#include "optimizer/tools/process_list/sampling/process_record.h"
#include "optimizer/tools/process_list/sampling/refresh_thread.h"
#include "skin/window/dialog_impl.h"

enum ProcessListNumbers : UINT {
    WM_PROCESSLIST_REFRESHED = 9000,    // lParam: a heap ProcessList*, the pane's to delete
    WM_PROCESSLIST_END_CLICKED = 9001,  // posted to itself: confirm ending the clicked row's program
    kProcessListCtrlId = 1004,
};

// What the confirmation box says, and what the box says when a program could not be ended.
extern const wchar_t kEndProcessWarning[];
extern const wchar_t kEndProcessFailed[];

class CListDlg : public CDialogImpl {
public:
    CListDlg();
    ~CListDlg() override;

    // Both before Create: the window that owns the end-process boxes, and whether the
    // page-file warning strip takes room above the pane.
    void SetMainWindow(HWND mainWindow) { m_mainWindow = mainWindow; }
    void SetPageFileWarning(bool warning) { m_pageFileWarning = warning; }
    // Before Create: how often the list refreshes (3000 ms unless a test needs it sooner).
    void SetRefreshPeriod(DWORD ms) { m_refreshMs = ms; }

    // Takes the first list on a thread of its own while the main window is being made; Create waits for
    // it. Without this call Create takes it itself.
    void BeginFirstRefresh();
    HWND Create(HWND parent);  // null when the pane cannot be created
    HWND GetList() const { return m_list.GetHwnd(); }
    const ProcessList& Records() const { return m_records; }

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInitDialog(HWND hwnd);
    void OnDestroy(HWND hwnd);
    void FillList();
    struct EndTarget {  // the program whose end button was pressed, as it was then
        uint32_t pid = 0;
        std::wstring exeName;
    };
    void ConfirmEnd(const EndTarget& target);
    void RemoveRows(const std::vector<uint32_t>& pids);

    HWND m_mainWindow = nullptr;  // not owned
    bool m_pageFileWarning = false;
    DWORD m_refreshMs = 3000;
    ProcessList m_records;              // the rows, in list order
    std::vector<uint32_t> m_shownPids;  // the process of each row as last filled
    EndTarget m_pressedEnd;             // taken at the press, until the release
    EndTarget m_pendingEnd;             // clicked, until confirmed
    CListViewCtrlEx m_list;
    CRefreshThread m_refresh;
    std::unique_ptr<CProcessSampler> m_sampler;  // until the refresh thread takes it over
    CBackgroundCall m_firstRefresh;              // last: joined before what it fills goes
};
