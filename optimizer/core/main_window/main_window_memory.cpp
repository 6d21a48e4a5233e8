// CMainWindow: the memory clean-up's window side - its start rule with the come-back-later box, the
// worker, its progress and finished transitions, the ten-minute cool-down and the drawing of the result.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/memory/memory_page.h"
#include "optimizer/tools/memory/memory_tally.h"
#include "optimizer/tools/memory/memory_worker.h"
#include "skin/message_box/message_box_dlg.h"

void CMainWindow::OnMemoryCommand() {
    // One run at a time: a second worker would interleave its percentages with the first's.
    if (m_memoryRunning)
        return;
    if (m_memoryCoolDown) {
        // 您刚刚使用过整理内存, 没有可继续优化的, 请稍后再来。
        CMessageBoxDlg box(m_hWnd,
                           L"\u60a8\u521a\u521a\u4f7f\u7528\u8fc7\u6574\u7406\u5185\u5b58, "
                           L"\u6ca1\u6709\u53ef\u7ee7\u7eed\u4f18\u5316\u7684, \u8bf7\u7a0d\u540e\u518d\u6765\u3002",
                           kMsgBoxWarning);
        box.DoModal(::GetActiveWindow());
        return;
    }
    m_memoryIconsBefore.clear();
    for (const wchar_t* icon : kMemoryIcons) {
        if (m_skin.IsVisible(icon))
            m_memoryIconsBefore.push_back(icon);
    }
    m_memoryResultShownBefore = m_memoryResultShown;
    m_skin.Apply(MemoryStartChanges());
    m_memoryResultShown = false;
    m_memoryPercent = 1;
    m_memoryRunning = true;
    m_memoryWorker = ::StartMemoryWorker(m_hWnd, ++m_memoryRun, m_memorySlot, std::move(m_memoryWorker));
    if (!m_memoryWorker)
        ReturnMemoryToIdle();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnMemoryProgress(LPARAM percent) {
    if (!m_memoryRunning)
        return;
    m_memoryPercent = static_cast<int>(percent);
    m_memoryFrame += 1;
    if (m_memoryFrame >= 19)
        m_memoryFrame = 0;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnMemoryDone() {
    // Only the current run's own result ends it; a done message without one came from elsewhere.
    std::optional<MemoryResult> result = m_memoryRunning ? m_memorySlot->Take(m_memoryRun) : std::nullopt;
    if (!result)
        return;
    if (result->processesOpened == 0) {
        // Nothing was looked at, so nothing was freed and there is nothing to cool down from.
        ReturnMemoryToIdle();
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    m_memoryRunning = false;
    m_memoryFreedText = result->freedText;
    m_skin.Apply(MemoryDoneChanges());
    m_memoryFrame = 0;
    m_memoryPercent = 0;
    m_memoryResultShown = true;
    m_memoryCoolDown = true;
    ::SetTimer(m_hWnd, kTimerMemoryCoolDown, kMemoryCoolDownMs, nullptr);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::ReturnMemoryToIdle() {
    m_memoryRunning = false;
    m_skin.Apply(MemoryIdleChanges(m_memoryIconsBefore));
    m_memoryResultShown = m_memoryResultShownBefore;
    m_memoryFrame = 0;
    m_memoryPercent = 0;
}

void CMainWindow::OnMemoryCoolDownTimer() {
    ::KillTimer(m_hWnd, kTimerMemoryCoolDown);
    m_memoryCoolDown = false;
}
