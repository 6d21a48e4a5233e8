// CMainWindow: game repair's window side - the worker, the second page's transitions, the progress bar,
// the box about a product cache left uncleaned, and the poll of Scoura's cache size.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/repair/cache_size_poll.h"
#include "optimizer/tools/repair/repair_page.h"
#include "skin/message_box/message_box_dlg.h"

void CMainWindow::OnRepairCommand(WORD id) {
    if (id == kCmdRepairCancel) {
        m_repairWorker.Stop();
        m_skin.Apply(RepairCancelChanges());
        return;
    }
    // Starting stops the previous run first; its queued messages go with it.
    StartRepairWorker();
    m_skin.Apply(id == kCmdRepairStart ? RepairStartChanges() : RepairAgainChanges());
}

void CMainWindow::OnRepairProgress(LPARAM percent) {
    m_skin.Apply(RepairProgressChanges(percent));
}

void CMainWindow::OnRepairDone(LPARAM result) {
    const ProductCacheResult product = static_cast<ProductCacheResult>(result);
    m_skin.Apply(RepairDoneChanges(product));
    const std::wstring notice = RepairNoticeText(product);
    if (!notice.empty()) {
        // A success mark alone would hide that the game's own cache was left as it was.
        CMessageBoxDlg box(m_hWnd, notice, kMsgBoxWarning);
        box.DoModal(::GetActiveWindow());
    }
}

void CMainWindow::StartRepairWorker() {
    if (m_settings.repairPlan)
        m_repairWorker.Start(m_hWnd, m_settings.repairPlan());
    else
        m_repairWorker.Start(m_hWnd);
}

void CMainWindow::OnCachePollTimer() {
    // Scoura measures in the background; the first size it knows ends the poll.
    const ULONGLONG now = ::GetTickCount64();
    if (m_cachePollStart == 0)
        m_cachePollStart = now;
    if (CacheSizePollEnds(m_companions.getDirSize(), now - m_cachePollStart))
        ::KillTimer(m_hWnd, kTimerCachePoll);
}
