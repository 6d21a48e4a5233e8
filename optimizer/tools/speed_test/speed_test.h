// The network speed test as the main window owns it: a run of 300 sampling ticks (timer 2) taking 30
// samples of Nettrel's running count, then the gauge (timer 3) swinging to the average and the rating.
// Each transition returns what the window must do; the model calls nothing and touches no control.
// Window thread only.
#pragma once
#include "skin/controls/control_changes.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct TimerAction {
    enum Kind { kStart, kKill };
    Kind kind = kStart;
    UINT_PTR id = 0;
    UINT periodMs = 0;  // kStart only

    bool operator==(const TimerAction& other) const {
        return kind == other.kind && id == other.id && periodMs == other.periodMs;
    }
};

// What the window does, in this order: build the page, apply the control changes, lay out the lines,
// start and kill the timers. CSpeedTestRunner has already made the Nettrel calls when it hands a step over.
struct SpeedStep {
    bool buildPage = false;      // create the page's controls (its first visit)
    bool stopTransfer = false;   // call vo_connect_interface_last
    bool startTransfer = false;  // call vo_connect_interface_first, then hand the value of
                                 // vo_connect_interface_next and the tick count to TransferStarted
    ControlChanges changes;
    // Lines of text controls, each to be laid out piece after piece (LayOutPieces) once their texts are set.
    std::vector<std::vector<std::wstring>> lines;
    std::vector<TimerAction> timers;

    bool IsEmpty() const {
        return !buildPage && !stopTransfer && !startTransfer && changes.empty() && lines.empty() && timers.empty();
    }
};

enum class SpeedPhase { kNotStarted, kSampling, kGauge, kResult, kCancelled };

class CSpeedTest {
public:
    static constexpr int kSampleEvery = 10;  // sampling ticks per sample: 30 samples a run
    static constexpr int kSamples = 30;

    SpeedStep PageShown();  // the network page becomes current; only the first visit starts a run
    SpeedStep Cancel();     // CancelSpeedBtn, while sampling
    SpeedStep Restart();    // RestartSpeedBtn, once a result or the failure text is shown
    SpeedStep Retry();      // SpeedFailedBtn, after a cancel

    // The transfer of a starting run began: Nettrel's count right after the start, and the tick count.
    void TransferStarted(double baselineKB, uint32_t tickCount);
    // Whether the coming sampling tick takes a sample, so that Nettrel's count is read only then.
    bool NextTickSamples() const;
    // Timer 2. `countKB` is Nettrel's running count, read for sampling ticks (ignored on the others).
    SpeedStep SamplingTick(uint32_t tickCount, double countKB);
    // Timer 3.
    SpeedStep GaugeTick();

    SpeedPhase Phase() const { return m_phase; }
    uint32_t AverageKBps() const { return m_speedSum / kSamples; }

    uint32_t m_speedLastTick = 0;  // tick count of the previous sample, or of the run's start
    double m_speedLastCount = 0;   // Nettrel's count at that moment, KB
    uint32_t m_speedSum = 0;       // sum of this run's sample speeds, KB/s
    int m_progressPos = 0;         // position of the sampling bar
    int m_gaugePos = 0;            // position of the gauge

private:
    SpeedStep EnterRun(SpeedPhase phase);  // a run starts or ends early: sum and both bars back to 0
    SpeedStep StartRun();
    SpeedStep EndSampling();
    void TakeSample(uint32_t tickCount, double countKB, SpeedStep* step);
    void ShowResult(SpeedStep* step);

    SpeedPhase m_phase = SpeedPhase::kNotStarted;
};
