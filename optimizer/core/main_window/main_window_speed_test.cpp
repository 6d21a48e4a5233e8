// CMainWindow: the speed test's window side - the run started on the network page's first visit. The
// sampling, the gauge and the result texts belong to the speed-test tool.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"

void CMainWindow::StartSpeedRun() {
    m_companions.connectFirst();
    m_speedLastCount = static_cast<float>(m_companions.connectNext());
    m_speedSum = 0;
    m_skin.Apply({SetControlPos(L"NetWorkSpeedProgress1", 0), SetControlPos(L"NetWorkSpeedProgress2", 0)});
    ::SetTimer(m_hWnd, kTimerSpeedSampling, kSpeedSamplingMs, nullptr);
}

void CMainWindow::OnSpeedCommand(WORD) {
    // The speed-test tool: stop the test (11), test again (12), test again after a cancel (13).
}

void CMainWindow::OnSpeedSamplingTimer() {
    // The speed-test tool: one sample every tenth tick, ending after 300 ticks with timer 3.
}

void CMainWindow::OnSpeedGaugeTimer() {
    // The speed-test tool: swing the gauge to the average, then show the result.
}
