#include "optimizer/tools/process_list/list_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "optimizer/tools/process_list/controls/list_look.h"
#include "optimizer/tools/process_list/kill_processes.h"
#include "optimizer/tools/process_list/sampling/process_rules.h"
#include "optimizer/tools/process_list/sampling/process_sampler.h"
#include "resources/sorvik/tools_dialog_ids.h"
#include "skin/message_box/message_box_dlg.h"

const wchar_t kEndProcessWarning[] =
    L"警告:终止进程会导致不希望发生的结果,\t\t\t包括数据丢失和系统不稳定。在被终止前,\t\t\t"
    L"进程将没有机会保存其状态和数据。确实\t\t\t想终止进程吗?";
const wchar_t kEndProcessFailed[] = L"进程未能终止。它可能受系统保护,\t\t\t或需要管理员权限才能终止。";

namespace {
const POINT kPaneAt = {7, 266};
constexpr int kPaneWidth = 638;
constexpr int kPaneHeight = 185;
constexpr int kWarningStrip = 20;  // the page-file warning takes this much from the top of the pane
constexpr DWORD kStopWaitMs = 1;

void SetCell(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

int SelectedRow(HWND list) {
    return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
}  // namespace

CListDlg::CListDlg() : CDialogImpl(IDD_PROCESS_LIST) {}

CListDlg::~CListDlg() = default;  // the base destroys a live pane; the refresh thread is told to stop

HWND CListDlg::Create(HWND parent) {
    return CDialogImpl::Create(parent);
}

void CListDlg::OnInitDialog(HWND hwnd) {
    const int height = kPaneHeight - (m_pageFileWarning ? kWarningStrip : 0);
    const int top = kPaneAt.y + (m_pageFileWarning ? kWarningStrip : 0);
    ::SetWindowPos(hwnd, nullptr, kPaneAt.x, top, kPaneWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT all = {0, 0, kPaneWidth, height};
    m_list.Create(hwnd, all, kProcessListCtrlId);
    m_list.SetEndButtonHandlers(
        [this](int row) {
            // Taken at the press: a refresh may reorder the rows before the release.
            const bool shown = row >= 0 && row < static_cast<int>(m_records.size());
            m_pressedEnd = shown ? EndTarget{m_records[row].pid, m_records[row].exeName} : EndTarget{};
        },
        [this] {
            m_pendingEnd = std::move(m_pressedEnd);
            m_pressedEnd = {};
            if (!m_pendingEnd.exeName.empty())
                ::PostMessageW(m_hWnd, WM_PROCESSLIST_END_CLICKED, 0, 0);
        });

    BeginFirstRefresh();
    m_firstRefresh.Join();
    FillList();
    m_refresh.Start(hwnd, WM_PROCESSLIST_REFRESHED, m_refreshMs, std::move(m_sampler));
}

void CListDlg::BeginFirstRefresh() {
    if (m_sampler)
        return;
    m_sampler = std::make_unique<CProcessSampler>();
    CProcessSampler* sampler = m_sampler.get();
    ProcessList* records = &m_records;
    m_firstRefresh.Start([sampler, records] { sampler->Refresh(*records); });
}

void CListDlg::OnDestroy(HWND hwnd) {
    m_refresh.Stop(kStopWaitMs);
    // Lists already posted would otherwise be lost with the window's queue.
    MSG pending;
    while (::PeekMessageW(&pending, hwnd, WM_PROCESSLIST_REFRESHED, WM_PROCESSLIST_REFRESHED, PM_REMOVE))
        delete reinterpret_cast<ProcessList*>(pending.lParam);
}

void CListDlg::FillList() {
    HWND list = m_list.GetHwnd();
    if (!list)
        return;
    // The selection follows its process, not its row number, across a reordering refresh.
    const int selected = SelectedRow(list);
    const uint32_t selectedPid =
        selected >= 0 && selected < static_cast<int>(m_shownPids.size()) ? m_shownPids[selected] : 0;

    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    const int rows = static_cast<int>(m_records.size());
    int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (; count < rows; ++count) {
        LVITEMW item = {};
        item.iItem = count;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(list, count, 4, L"管理");
    }
    while (count > rows)
        ::SendMessageW(list, LVM_DELETEITEM, --count, 0);

    m_shownPids.clear();
    for (int row = 0; row < rows; ++row) {
        const ProcessRecord& record = m_records[row];
        SetCell(list, row, 0, record.exeName);
        SetCell(list, row, 1, record.description);
        SetCell(list, row, 2, FormatCpuShare(record.cpuPercent));
        SetCell(list, row, 3, FormatWorkingSet(record.workingSet));
        LVITEMW data = {};
        data.mask = LVIF_PARAM;
        data.iItem = row;
        data.lParam = static_cast<LPARAM>(std::min<double>(record.workingSet, static_cast<double>(LONG_MAX)));
        ::SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        LVITEMW state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = selectedPid != 0 && record.pid == selectedPid ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        ::SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        m_shownPids.push_back(record.pid);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, FALSE);
}

void CListDlg::RemoveRows(const std::vector<uint32_t>& pids) {
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                   [&](const ProcessRecord& r) {
                                       return std::find(pids.begin(), pids.end(), r.pid) != pids.end();
                                   }),
                    m_records.end());
    FillList();
}

void CListDlg::ConfirmEnd(const EndTarget& target) {
    CMessageBoxDlg box(m_mainWindow, kEndProcessWarning, kMsgBoxCancel | kMsgBoxWarning);
    if (box.DoModal(::GetActiveWindow()) != IDOK)
        return;
    // Only the rows of processes really ended go; one that refused stays and the user is told.
    const EndOutcome outcome = KillProcessesByName(target.exeName);
    RemoveRows(outcome.ended);
    if (outcome.failed == 0)
        return;
    CMessageBoxDlg failed(m_mainWindow, kEndProcessFailed, kMsgBoxWarning);
    failed.DoModal(::GetActiveWindow());
}

bool CListDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(hwnd);
            result = FALSE;
            return true;
        case WM_DESTROY:
            OnDestroy(hwnd);
            return true;
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (wParam != kProcessListCtrlId || !measure)
                return false;
            measure->itemHeight = list_look::kRowHeight;
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (wParam != kProcessListCtrlId || !draw)
                return false;
            m_list.DrawItem(*draw);
            result = TRUE;
            return true;
        }
        case WM_PROCESSLIST_REFRESHED: {
            std::unique_ptr<ProcessList> list(reinterpret_cast<ProcessList*>(lParam));
            if (list) {
                m_records.swap(*list);
                FillList();
            }
            return true;
        }
        case WM_PROCESSLIST_END_CLICKED: {
            const EndTarget target = std::move(m_pendingEnd);
            m_pendingEnd = {};
            // A program that has ended meanwhile (its row gone with a refresh) needs no confirming.
            const bool stillShown = std::any_of(m_records.begin(), m_records.end(),
                                                [&](const ProcessRecord& r) { return r.pid == target.pid; });
            if (!target.exeName.empty() && stillShown)
                ConfirmEnd(target);
            return true;
        }
        case WM_COMMAND:
            // Enter and Escape reach a child dialog too; the pane is not closed by them.
            return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
        default:
            return false;
    }
}
