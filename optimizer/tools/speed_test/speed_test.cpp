#include "optimizer/tools/speed_test/speed_test.h"

#include "optimizer/tools/speed_test/speed_page.h"
#include "optimizer/tools/speed_test/speed_rating.h"

#include <climits>

using namespace speed_page;

namespace {

void Show(ControlChanges* changes, std::initializer_list<const wchar_t*> names, bool visible) {
    for (const wchar_t* name : names)
        changes->push_back(visible ? ShowControl(name) : HideControl(name));
}

void ShowText(ControlChanges* changes, const wchar_t* name, const std::wstring& text) {
    changes->push_back(SetControlText(name, text));
    changes->push_back(ShowControl(name));
}

void ShowFigure(ControlChanges* changes, const wchar_t* name, const std::wstring& text) {
    changes->push_back(SetControlColor(name, kFigureColor));
    ShowText(changes, name, text);
}

}  // namespace

SpeedStep CSpeedTest::PageShown() {
    if (m_phase != SpeedPhase::kNotStarted)
        return {};
    SpeedStep step = StartRun();
    step.buildPage = true;
    return step;
}

SpeedStep CSpeedTest::Cancel() {
    // A click queued just before sampling ended must not break into the gauge.
    if (m_phase != SpeedPhase::kSampling)
        return {};
    SpeedStep step = EnterRun(SpeedPhase::kCancelled);
    step.stopTransfer = true;
    step.timers.push_back({TimerAction::kKill, kSamplingTimer, 0});
    Show(&step.changes, {kProgress, kGauge, kStatus, kGaugeBk, kRunningSpeed, kCancelBtn}, false);
    Show(&step.changes, {kFailedIcon, kCancelledText, kRetryBtn}, true);
    return step;
}

SpeedStep CSpeedTest::Restart() {
    if (m_phase != SpeedPhase::kResult)
        return {};
    return StartRun();
}

SpeedStep CSpeedTest::Retry() {
    if (m_phase != SpeedPhase::kCancelled)
        return {};
    return StartRun();
}

SpeedStep CSpeedTest::EnterRun(SpeedPhase phase) {
    m_phase = phase;
    m_speedSum = 0;
    m_progressPos = 0;
    m_gaugePos = 0;
    SpeedStep step;
    step.changes.push_back(SetControlPos(kProgress, 0));
    step.changes.push_back(SetControlPos(kGauge, 0));
    return step;
}

SpeedStep CSpeedTest::StartRun() {
    SpeedStep step = EnterRun(SpeedPhase::kSampling);
    step.startTransfer = true;
    // One sampling look for every start, so it does not matter what the page showed before.
    ControlChanges& c = step.changes;
    Show(&c,
         {kFailureText, kResultSpeed, kResultJoin, kResultRating, kBand, kBandLow, kBandJoin, kBandHigh, kBandEnd,
          kScale, kGauge, kCancelledText, kFailedIcon, kRetryBtn, kRestartBtn},
         false);
    ShowText(&c, kStatus, kStatusText);
    // The last run's final speed would otherwise stand until the first sample.
    ShowText(&c, kRunningSpeed, RunningSpeedText(0));
    Show(&c, {kProgress, kGaugeBk, kCancelBtn}, true);
    step.timers.push_back({TimerAction::kStart, kSamplingTimer, kSamplingPeriodMs});
    return step;
}

void CSpeedTest::TransferStarted(double baselineKB, uint32_t tickCount) {
    m_speedLastCount = baselineKB;
    // The first sample measures from here, not from the previous run or the window's creation.
    m_speedLastTick = tickCount;
}

bool CSpeedTest::NextTickSamples() const {
    const int step = m_progressPos + 1;
    return m_phase == SpeedPhase::kSampling && step <= kProgressMax && step % kSampleEvery == 0;
}

SpeedStep CSpeedTest::SamplingTick(uint32_t tickCount, double countKB) {
    if (m_phase != SpeedPhase::kSampling)
        return {};
    const int position = m_progressPos + 1;
    if (position > kProgressMax)
        return EndSampling();
    SpeedStep step;
    if (position % kSampleEvery == 0)
        TakeSample(tickCount, countKB, &step);
    m_progressPos = position;
    step.changes.push_back(SetControlPos(kProgress, position));
    return step;
}

void CSpeedTest::TakeSample(uint32_t tickCount, double countKB, SpeedStep* step) {
    // Unsigned difference: right across the tick count's wrap and at any uptime.
    const uint32_t intervalMs = tickCount - m_speedLastTick;
    // Two samples in the same millisecond measure nothing; their data counts in the next sample.
    if (intervalMs == 0)
        return;
    const double deltaKB = countKB - m_speedLastCount;
    m_speedLastTick = tickCount;
    m_speedLastCount = countKB;
    double speed = deltaKB / (intervalMs / 1000.0);
    // A count that went backwards (a restarted library) is no download.
    if (!(speed > 0))
        speed = 0;
    const double sum = m_speedSum + speed;
    m_speedSum = sum >= static_cast<double>(UINT32_MAX) ? UINT32_MAX : static_cast<uint32_t>(sum);
    const int shown = speed >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(speed);
    step->changes.push_back(SetControlText(kRunningSpeed, RunningSpeedText(shown)));
}

SpeedStep CSpeedTest::EndSampling() {
    m_phase = SpeedPhase::kGauge;
    SpeedStep step;
    step.timers.push_back({TimerAction::kKill, kSamplingTimer, 0});
    step.timers.push_back({TimerAction::kStart, kGaugeTimer, kGaugePeriodMs});
    Show(&step.changes, {kProgress, kGaugeBk, kStatus, kRunningSpeed}, false);
    Show(&step.changes, {kGauge, kScale}, true);
    Show(&step.changes, {kCancelBtn}, false);
    step.stopTransfer = true;
    return step;
}

SpeedStep CSpeedTest::GaugeTick() {
    if (m_phase != SpeedPhase::kGauge)
        return {};
    const int target = GaugeTarget(AverageKBps() * 8);
    int next = m_gaugePos + 1;
    SpeedStep step;
    if (next >= target) {
        next = target;
        step.timers.push_back({TimerAction::kKill, kGaugeTimer, 0});
        ShowResult(&step);
    }
    m_gaugePos = next;
    step.changes.push_back(SetControlPos(kGauge, next));
    return step;
}

void CSpeedTest::ShowResult(SpeedStep* step) {
    m_phase = SpeedPhase::kResult;
    ControlChanges& c = step->changes;
    c.push_back(ShowControl(kRestartBtn));
    const uint32_t average = AverageKBps();
    if (average == 0) {
        Show(&c, {kScale, kCancelledText, kGauge}, false);
        ShowFigure(&c, kFailureText, kFailureMessage);
        return;
    }
    const SpeedRating rating = RateAverageSpeed(average);
    ShowText(&c, kStatus, kResultLead);
    ShowFigure(&c, kResultSpeed, rating.speedText);
    ShowText(&c, kResultJoin, kResultMiddle);
    ShowFigure(&c, kResultRating, rating.rating);
    ShowText(&c, kBand, kBandLead);
    ShowFigure(&c, kBandLow, std::to_wstring(rating.lowMbps) + L"M");
    ShowText(&c, kBandJoin, kBandMiddle);
    ShowFigure(&c, kBandHigh, std::to_wstring(rating.highMbps) + L"M");
    ShowText(&c, kBandEnd, kBandTail);
    step->lines = {{kStatus, kResultSpeed, kResultJoin, kResultRating},
                   {kBand, kBandLow, kBandJoin, kBandHigh, kBandEnd}};
}
