#include "optimizer/tools/speed_test/speed_test_runner.h"

NettrelExports FindNettrelExports(HMODULE module) {
    NettrelExports exports;
    if (!module)
        return exports;
    const auto& names = companion_names::kNettrelExports;
    exports.first = reinterpret_cast<VoConnectFirstFn>(reinterpret_cast<void*>(::GetProcAddress(module, names[0])));
    exports.next = reinterpret_cast<VoConnectNextFn>(reinterpret_cast<void*>(::GetProcAddress(module, names[1])));
    exports.last = reinterpret_cast<VoConnectLastFn>(reinterpret_cast<void*>(::GetProcAddress(module, names[2])));
    return exports;
}

SpeedStep CSpeedTestRunner::SamplingTimer(uint32_t tickCount) {
    const double count = m_model.NextTickSamples() && m_nettrel.next ? m_nettrel.next() : 0.0;
    return Perform(m_model.SamplingTick(tickCount, count), tickCount);
}

SpeedStep CSpeedTestRunner::Perform(SpeedStep step, uint32_t tickCount) {
    if (step.stopTransfer && m_nettrel.last)
        m_nettrel.last();
    if (step.startTransfer) {
        if (m_nettrel.first)
            m_nettrel.first();
        m_model.TransferStarted(m_nettrel.next ? m_nettrel.next() : 0.0, tickCount);
    }
    return step;
}
