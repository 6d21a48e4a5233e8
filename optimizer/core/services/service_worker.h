// The service worker: one thread that runs the boost and restore sweeps, one command at a time, in the
// order posted. Created and commanded from the main window's thread; the thread reports only by the
// sweep messages and by clearing the owner's busy flag when a sweep returns.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "common/handles.h"

class CServiceEnumer;

// Shared by the worker and its owner: once the owner is gone, the thread writes no busy flag any more.
struct SvcOwnerLink {
    std::mutex lock;
    bool ownerGone = false;
};

// What a command names: the sweep and the busy flag to clear after it. The worker owns and frees it.
struct SvcCommandBlock {
    std::atomic<bool>* busy;  // not owned; must outlive the sweep
    int command;              // SVC_CMD_STOP or SVC_CMD_START
};

class CServiceWorker {
public:
    static constexpr DWORD kHandOverWaitMs = 10;  // how long a command waits for the worker's queue

    CServiceWorker();
    ~CServiceWorker() = default;
    CServiceWorker(const CServiceWorker&) = delete;
    CServiceWorker& operator=(const CServiceWorker&) = delete;

    // Starts the thread on the snapshot (not owned, must live until process exit); its first job replays
    // the snapshot's crash journal. The snapshot's handles are closed next, once `windowPainted` (optional,
    // not taken over) is set or a command comes: their round trips stay out of the window's start.
    // False if it cannot start.
    bool Start(CServiceEnumer* services, HANDLE windowPainted = nullptr);
    // Hands a command over; false (nothing posted, busy left to the caller) when the worker is not ready in time.
    bool PostCommand(std::atomic<bool>* busy, int command);
    // At the owner's destruction: the thread is not joined, only given 1 ms, and the queue marked not ready.
    // From its return on, a sweep still running clears no busy flag (the owner's fields may be gone).
    void Detach();

    DWORD ThreadId() const { return m_threadId; }
    // True once the thread's queue exists (a command posted sooner is refused by the 10 ms rule).
    bool IsReady() const { return m_ready && ::WaitForSingleObject(m_ready.Get(), 0) == WAIT_OBJECT_0; }

private:
    std::shared_ptr<SvcOwnerLink> m_link = std::make_shared<SvcOwnerLink>();
    AutoHandle m_ready;   // manual-reset: set once the worker's message queue exists
    AutoHandle m_thread;
    DWORD m_threadId = 0;
};
