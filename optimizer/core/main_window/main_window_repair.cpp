// CMainWindow: game repair's window side - the second page's transitions, the progress bar and the poll
// of Scoura's cache size. The cleaning worker belongs to the repair tool.
#include <cmath>

#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"

void CMainWindow::OnRepairCommand(WORD id) {
    if (id == kCmdRepairCancel) {
        StopRepairWorker();
        m_skin.Apply(RepairPageChanges(RepairEvent::kCancel));
        return;
    }
    StopRepairWorker();
    StartRepairWorker();
    m_skin.Apply(RepairPageChanges(id == kCmdRepairStart ? RepairEvent::kStart : RepairEvent::kAgain));
}

void CMainWindow::OnRepairProgress(LPARAM percent) {
    m_skin.Apply({SetControlPos(L"RepairProgressBarCtrl", static_cast<int>(percent))});
}

void CMainWindow::OnRepairDone() {
    m_skin.Apply(RepairPageChanges(RepairEvent::kDone));
}

void CMainWindow::StartRepairWorker() {
    // The repair tool: start the worker that clears the URL cache and the product cache folder.
}

void CMainWindow::StopRepairWorker() {
    // The repair tool asks its worker to stop between two deletions; here it is only given 1 ms.
    if (m_repairWorker)
        ::WaitForSingleObject(m_repairWorker.Get(), 1);
}

void CMainWindow::OnCachePollTimer() {
    // Scoura measures in the background; the first size it knows ends the poll.
    // Truncated to an integer: below one it still counts as unknown.
    if (std::fabs(m_companions.getDirSize()) >= 1.0)
        ::KillTimer(m_hWnd, kTimerCachePoll);
}
