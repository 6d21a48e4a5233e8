// Game repair: one worker thread per run that measures both caches, empties the URL cache and deletes
// the product cache folder, reporting WM_REPAIR_PROGRESS and then WM_REPAIR_DONE to its window.
// Owned by the window and called only on that window's thread.
#pragma once
#include <windows.h>

#include <memory>

#include "common/handles.h"
#include "optimizer/tools/repair/cache_cleaning/cache_plan.h"

struct RepairControl;

class CRepairWorker {
public:
    static constexpr DWORD kStopWaitMs = 200;  // how long Stop waits for the worker to leave

    CRepairWorker() = default;
    ~CRepairWorker();  // stops without waiting more than 1 ms; the thread then posts nothing
    CRepairWorker(const CRepairWorker&) = delete;
    CRepairWorker& operator=(const CRepairWorker&) = delete;

    // Stops a previous run, then starts one for `owner` on this user's settings. False if no thread starts.
    bool Start(HWND owner);
    bool Start(HWND owner, CachePlan plan);

    // Asks the worker to leave before its next entry and waits a moment. From then on it posts nothing,
    // and repair messages it posted earlier are taken out of this thread's queue.
    void Stop();
    // At shutdown: asks the worker to leave, gives it 1 ms and lets go of its thread, which then posts
    // nothing and ends on its own.
    void Release();

    HANDLE Thread() const { return m_thread.Get(); }  // the current or last run's thread; not owned by callers

private:
    bool Launch(HWND owner, std::unique_ptr<CachePlan> plan);
    void RequestStop();

    std::shared_ptr<RepairControl> m_control;  // shared with the running thread
    AutoHandle m_thread;
    HWND m_owner = nullptr;
};
