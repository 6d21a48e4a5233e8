// CMainWindow: the memory clean-up's window side - its start rule with the come-back-later box, the
// worker, its progress and finished transitions, the ten-minute cool-down and the drawing of the result.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/memory/memory_page.h"
#include "optimizer/tools/memory/memory_tally.h"
#include "optimizer/tools/memory/memory_worker.h"
#include "skin/message_box/message_box_dlg.h"

void CMainWindow::OnMemoryCommand() {
    if (m_memoryCoolDown) {
        // 您刚刚使用过整理内存, 没有可继续优化的, 请稍后再来。
        CMessageBoxDlg box(m_hWnd,
                           L"\u60a8\u521a\u521a\u4f7f\u7528\u8fc7\u6574\u7406\u5185\u5b58, "
                           L"\u6ca1\u6709\u53ef\u7ee7\u7eed\u4f18\u5316\u7684, \u8bf7\u7a0d\u540e\u518d\u6765\u3002",
                           kMsgBoxWarning);
        box.DoModal(::GetActiveWindow());
        return;
    }
    m_skin.Apply(MemoryStartChanges());
    m_memoryResultShown = false;
    m_memoryPercent = 1;
    StartMemoryWorker();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnMemoryProgress(LPARAM percent) {
    m_memoryPercent = static_cast<int>(percent);
    m_memoryFrame += 1;
    if (m_memoryFrame >= 19)
        m_memoryFrame = 0;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnMemoryDone(LPARAM result) {
    // The run's result travels with the message; a done message without one shows nothing freed.
    const std::unique_ptr<MemoryResult> taken = TakeMemoryResult(result);
    m_memoryFreedText = taken ? taken->freedText : FormatFreedAmount(0);
    m_skin.Apply(MemoryDoneChanges());
    m_memoryFrame = 0;
    m_memoryPercent = 0;
    m_memoryResultShown = true;
    m_memoryCoolDown = true;
    ::SetTimer(m_hWnd, kTimerMemoryCoolDown, kMemoryCoolDownMs, nullptr);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainWindow::OnMemoryCoolDownTimer() {
    ::KillTimer(m_hWnd, kTimerMemoryCoolDown);
    m_memoryCoolDown = false;
}

void CMainWindow::StartMemoryWorker() {
    // A run still going from an earlier request is given 1 ms and then left to finish on its own.
    m_memoryWorker = ::StartMemoryWorker(m_hWnd, std::move(m_memoryWorker));
}
