// CMainWindow: the speed test's window side. The runner decides every step and makes the Nettrel
// calls; the window builds the page, applies the changes, lays out the result lines and runs the timers.
#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/speed_test/piece_layout.h"

namespace {

// Moves each text of `names` to the right edge of the one before, as measured with its current text.
void LayOutLine(const CMainWindowSkin& skin, const std::vector<std::wstring>& names) {
    std::vector<SkinText*> pieces;
    std::vector<RECT> measured;
    for (const std::wstring& name : names) {
        if (SkinText* text = skin.Text(name)) {
            pieces.push_back(text);
            measured.push_back(text->GetRect());
        }
    }
    const std::vector<RECT> placed = LayOutPieces(measured);
    for (size_t i = 0; i < pieces.size(); ++i)
        pieces[i]->SetBounds(placed[i].left, placed[i].top, placed[i].right, placed[i].bottom);
}

}  // namespace

void CMainWindow::OnSpeedPageShown() {
    RunSpeedStep(m_speedTest.PageShown(::GetTickCount()));
}

void CMainWindow::OnSpeedCommand(WORD id) {
    if (id == kCmdSpeedCancel)
        RunSpeedStep(m_speedTest.Cancel());
    else if (id == kCmdSpeedRestart)
        RunSpeedStep(m_speedTest.Restart(::GetTickCount()));
    else if (id == kCmdSpeedRetry)
        RunSpeedStep(m_speedTest.Retry(::GetTickCount()));
}

void CMainWindow::OnSpeedSamplingTimer() {
    RunSpeedStep(m_speedTest.SamplingTimer(::GetTickCount()));
}

void CMainWindow::OnSpeedGaugeTimer() {
    RunSpeedStep(m_speedTest.GaugeTimer());
}

void CMainWindow::RunSpeedStep(const SpeedStep& step) {
    if (step.buildPage)
        m_skin.LoadPage(m_hWnd, 1);
    m_skin.Apply(step.changes);
    for (const std::vector<std::wstring>& line : step.lines)
        LayOutLine(m_skin, line);
    for (const TimerAction& timer : step.timers) {
        if (timer.kind == TimerAction::kStart)
            ::SetTimer(m_hWnd, timer.id, timer.periodMs, nullptr);
        else
            ::KillTimer(m_hWnd, timer.id);
    }
}
