// The speed test wired to Nettrel: makes the library calls each model step asks for, so the window
// only applies control changes, line layouts and timers. Does not own the library.
// Window thread only; a missing entry point is skipped (the window does not start without them).
#pragma once
#include "optimizer/companions/companion_exports.h"
#include "optimizer/tools/speed_test/speed_test.h"

struct NettrelExports {
    VoConnectFirstFn first = nullptr;
    VoConnectNextFn next = nullptr;
    VoConnectLastFn last = nullptr;
    bool Complete() const { return first && next && last; }
};

// The three entry points of a loaded Nettrel module; any not found stays null.
NettrelExports FindNettrelExports(HMODULE module);

class CSpeedTestRunner {
public:
    explicit CSpeedTestRunner(const NettrelExports& nettrel) : m_nettrel(nettrel) {}

    // `tickCount` is GetTickCount() at the call.
    SpeedStep PageShown(uint32_t tickCount) { return Perform(m_model.PageShown(), tickCount); }
    SpeedStep Cancel() { return Perform(m_model.Cancel(), 0); }
    SpeedStep Restart(uint32_t tickCount) { return Perform(m_model.Restart(), tickCount); }
    SpeedStep Retry(uint32_t tickCount) { return Perform(m_model.Retry(), tickCount); }
    SpeedStep SamplingTimer(uint32_t tickCount);
    SpeedStep GaugeTimer() { return Perform(m_model.GaugeTick(), 0); }

    const CSpeedTest& Model() const { return m_model; }

private:
    SpeedStep Perform(SpeedStep step, uint32_t tickCount);

    NettrelExports m_nettrel;  // not owned: the library stays loaded for the process
    CSpeedTest m_model;
};
