// What the network page shows after a series of speed-test steps: each named control's visibility,
// text, position and colour, the running timers and the lines last laid out. Applies steps as the
// main window does, without a window.
#pragma once
#include "optimizer/tools/speed_test/speed_page.h"
#include "optimizer/tools/speed_test/speed_test_runner.h"

#include <map>
#include <set>
#include <string>

struct RecordedControl {
    bool visible = false;
    std::wstring text;
    int pos = 0;
    int color = -1;  // -1 until set
};

class SpeedPageRecorder {
public:
    const SpeedStep& Apply(const SpeedStep& step) {
        for (const ControlChange& change : step.changes) {
            RecordedControl& control = m_controls[change.name];
            switch (change.kind) {
                case ControlChange::kShow:
                    control.visible = true;
                    break;
                case ControlChange::kHide:
                    control.visible = false;
                    break;
                case ControlChange::kSetText:
                    control.text = change.text;
                    break;
                case ControlChange::kSetPos:
                    control.pos = change.value;
                    break;
                case ControlChange::kSetColor:
                    control.color = change.value;
                    break;
                default:
                    break;
            }
        }
        if (!step.lines.empty())
            m_lines = step.lines;
        for (const TimerAction& timer : step.timers) {
            if (timer.kind == TimerAction::kStart)
                m_timers.insert(timer.id);
            else
                m_timers.erase(timer.id);
        }
        return step;
    }

    const RecordedControl& operator[](const std::wstring& name) { return m_controls[name]; }
    bool Visible(const std::wstring& name) { return m_controls[name].visible; }
    bool TimerRunning(UINT_PTR id) const { return m_timers.count(id) != 0; }
    bool AnyTimerRunning() const { return !m_timers.empty(); }

    // The texts of one laid-out line read left to right; empty when any piece is hidden.
    std::wstring Line(size_t index) {
        std::wstring text;
        if (index >= m_lines.size())
            return text;
        for (const std::wstring& name : m_lines[index]) {
            if (!m_controls[name].visible)
                return std::wstring();
            text += m_controls[name].text;
        }
        return text;
    }

private:
    std::map<std::wstring, RecordedControl> m_controls;
    std::set<UINT_PTR> m_timers;
    std::vector<std::vector<std::wstring>> m_lines;
};

// Fires timer 2, then timer 3, as long as each runs (bounded); tickAt(n) is the tick count of the
// n-th sampling tick from here. Returns the number of gauge ticks.
template <typename TickAt>
int FinishSpeedRun(CSpeedTestRunner& runner, SpeedPageRecorder& page, TickAt tickAt) {
    for (int n = 1; page.TimerRunning(speed_page::kSamplingTimer) && n <= 1000; ++n)
        page.Apply(runner.SamplingTimer(tickAt(n)));
    int gaugeTicks = 0;
    while (page.TimerRunning(speed_page::kGaugeTimer) && gaugeTicks < 1000) {
        page.Apply(runner.GaugeTimer());
        ++gaugeTicks;
    }
    return gaugeTicks;
}
