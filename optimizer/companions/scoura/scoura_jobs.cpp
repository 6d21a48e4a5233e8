#include "optimizer/companions/scoura/scoura_jobs.h"

#include <windows.h>

#include "optimizer/tools/repair/cache_cleaning/cache_plan.h"
#include "optimizer/tools/repair/cache_cleaning/url_cache.h"

namespace {

constexpr DWORD kTerminateWaitMs = 2000;

// Scoura only needs the stop request; the sizes it frees are not reported anywhere.
class StopSink final : public CleaningSink {
public:
    explicit StopSink(const std::atomic<bool>& stop) : m_stop(stop) {}
    bool StopRequested() override { return m_stop; }
    void Deleted(uint64_t) override {}

private:
    const std::atomic<bool>& m_stop;
};

}  // namespace

CScouraJobs& CScouraJobs::Instance() {
    static CScouraJobs* jobs = new CScouraJobs();  // never destroyed: a thread may still use it at unload
    return *jobs;
}

DWORD WINAPI CScouraJobs::MeasureThread(void* param) {
    CScouraJobs& jobs = *static_cast<CScouraJobs*>(param);
    StopSink sink(jobs.m_stop);
    const uint64_t bytes = MeasureCaches(CachePlan::FromThisSystem(), sink);
    if (!jobs.m_stop)
        jobs.m_measuredBytes = bytes;
    jobs.m_measuring = false;
    --jobs.m_running;
    // The thread holds its own reference to this library, so unloading it cannot pull the code away.
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&CScouraJobs::MeasureThread), &self);
    ::FreeLibraryAndExitThread(self, 0);
}

bool CScouraJobs::StartMeasuring() {
    if (m_measuring)
        return false;
    m_measureArmed = true;
    return true;
}

void CScouraJobs::BeginMeasuring() {
    if (m_measuring.exchange(true))
        return;
    HMODULE self = nullptr;  // the running thread's reference, dropped as it exits
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&CScouraJobs::MeasureThread), &self)) {
        m_measuring = false;
        return;
    }
    m_stop = false;
    ++m_running;
    HANDLE thread = ::CreateThread(nullptr, 0, MeasureThread, this, 0, nullptr);
    if (!thread) {
        --m_running;
        m_measuring = false;
        ::FreeLibrary(self);
        return;
    }
    ::CloseHandle(thread);
}

double CScouraJobs::MeasuredBytes() {
    if (m_measureArmed.exchange(false))
        BeginMeasuring();
    return static_cast<double>(m_measuredBytes.load());
}

template <typename Clear>
bool CScouraJobs::RunClear(Clear clear) {
    std::unique_lock<std::mutex> one(m_clearing, std::try_to_lock);
    if (!one.owns_lock())
        return false;
    m_stop = false;
    ++m_running;
    m_state = kScouraClearing;
    StopSink sink(m_stop);
    const bool finished = clear(sink);
    m_state = finished ? kScouraCleared : kScouraStopped;
    --m_running;
    return finished;
}

bool CScouraJobs::ClearBrowserCache() {
    return RunClear([](CleaningSink& sink) { return ClearUrlCache(sink); });
}

bool CScouraJobs::ClearProductCache() {
    return RunClear([](CleaningSink& sink) { return ::ClearProductCache(CachePlan::FromThisSystem(), sink); });
}

bool CScouraJobs::Terminate() {
    m_measureArmed = false;
    m_stop = true;
    const DWORD start = ::GetTickCount();
    while (m_running > 0 && ::GetTickCount() - start < kTerminateWaitMs)
        ::Sleep(5);
    return m_running == 0;
}
