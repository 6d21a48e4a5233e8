#include "optimizer/tools/repair/repair_worker.h"

#include <atomic>
#include <mutex>

#include "optimizer/tools/repair/cache_cleaning/url_cache.h"
#include "optimizer/tools/repair/repair_messages.h"

// Shared by the window and one run. Stop and post take the lock, so once Stop has set `stopped` no
// message of this run can follow.
struct RepairControl {
    HWND owner = nullptr;
    std::mutex lock;
    std::atomic<bool> stopped{false};

    void Post(UINT message, LPARAM lParam) {
        std::lock_guard<std::mutex> hold(lock);
        if (!stopped)
            ::PostMessageW(owner, message, 0, lParam);
    }
    void RequestStop() {
        std::lock_guard<std::mutex> hold(lock);
        stopped = true;
    }
};

namespace {

// The cleaning job of one run, owned by its thread.
class RepairJob final : public CleaningSink {
public:
    // Without a plan the run reads this user's settings itself, off the window's thread.
    RepairJob(std::shared_ptr<RepairControl> control, std::unique_ptr<CachePlan> plan)
        : m_control(std::move(control)), m_plan(std::move(plan)) {}

    void Run() {
        if (!m_plan)
            m_plan = std::make_unique<CachePlan>(CachePlan::FromThisSystem());
        m_totalBytes = MeasureCaches(*m_plan, *this);
        if (!ClearUrlCache(*this))
            return;  // stopped: nothing more
        const ProductCacheResult product = CleanProductCache(*m_plan, *this);
        if (product == ProductCacheResult::Stopped)
            return;
        m_control->Post(WM_REPAIR_PROGRESS, 100);
        m_control->Post(WM_REPAIR_DONE, static_cast<LPARAM>(product));
    }

    bool StopRequested() override { return m_control->stopped; }

    void Deleted(uint64_t bytes) override {
        m_doneBytes += bytes;
        if (m_totalBytes == 0)
            return;
        // Each change of the whole percentage is posted once; a file-by-file flood would fill the queue. Not
        // clamped: the URL cache may free more than the folders measured, and the page keeps its bar in range.
        const LPARAM percent = static_cast<LPARAM>(m_doneBytes * 100 / m_totalBytes);
        if (percent == m_postedPercent)
            return;
        m_postedPercent = percent;
        m_control->Post(WM_REPAIR_PROGRESS, percent);
    }

private:
    std::shared_ptr<RepairControl> m_control;
    std::unique_ptr<CachePlan> m_plan;
    uint64_t m_doneBytes = 0;
    uint64_t m_totalBytes = 0;
    LPARAM m_postedPercent = 0;  // the window shows 0 when a run starts
};

DWORD WINAPI RepairThread(void* param) {
    RepairJob* job = static_cast<RepairJob*>(param);
    job->Run();
    delete job;
    return 0;
}

}  // namespace

CRepairWorker::~CRepairWorker() {
    Release();
}

void CRepairWorker::Release() {
    RequestStop();
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), 1);
    m_thread.Reset();
}

bool CRepairWorker::Start(HWND owner) {
    return Launch(owner, nullptr);
}

bool CRepairWorker::Start(HWND owner, CachePlan plan) {
    return Launch(owner, std::make_unique<CachePlan>(std::move(plan)));
}

bool CRepairWorker::Launch(HWND owner, std::unique_ptr<CachePlan> plan) {
    Stop();
    m_owner = owner;
    m_control = std::make_shared<RepairControl>();
    m_control->owner = owner;
    RepairJob* job = new RepairJob(m_control, std::move(plan));
    m_thread.Reset(::CreateThread(nullptr, 0, RepairThread, job, 0, nullptr));
    if (!m_thread) {
        delete job;
        return false;
    }
    return true;
}

void CRepairWorker::RequestStop() {
    if (m_control)
        m_control->RequestStop();
}

void CRepairWorker::Stop() {
    RequestStop();
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), kStopWaitMs);
    // Messages already queued belong to the stopped run; PeekMessage only reaches this thread's queue.
    MSG stale;
    if (m_owner && ::GetWindowThreadProcessId(m_owner, nullptr) == ::GetCurrentThreadId()) {
        while (::PeekMessageW(&stale, m_owner, WM_REPAIR_PROGRESS, WM_REPAIR_DONE, PM_REMOVE)) {
        }
    }
}
