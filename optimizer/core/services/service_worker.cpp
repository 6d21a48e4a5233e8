#include "optimizer/core/services/service_worker.h"

#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_messages.h"

namespace {

// The thread's start record; the thread owns it and its duplicates of the two events.
struct WorkerStart {
    CServiceEnumer* services;
    AutoHandle ready;
    AutoHandle windowPainted;  // or empty
    std::shared_ptr<SvcOwnerLink> link;
};

void RunCommand(CServiceEnumer& services, SvcOwnerLink& link, SvcCommandBlock& block) {
    if (block.command == SVC_CMD_STOP) {
        services.StopListed();
    } else if (block.command == SVC_CMD_START) {
        services.StartListed();
    }
    // The done message is already posted: busy is cleared last, as the owner expects, and only while
    // the owner still exists.
    std::lock_guard<std::mutex> hold(link.lock);
    if (block.busy && !link.ownerGone) block.busy->store(false);
}

DWORD WINAPI WorkerThread(void* param) {
    std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(param));
    CServiceEnumer& services = *start->services;
    const std::shared_ptr<SvcOwnerLink> link = start->link;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
    ::SetEvent(start->ready.Get());
    // Commands posted meanwhile wait in the queue: a slow service must not stall the window's start.
    services.ReplayJournal();
    if (HANDLE painted = start->windowPainted.Get())
        ::MsgWaitForMultipleObjectsEx(1, &painted, INFINITE, QS_POSTMESSAGE, MWMO_INPUTAVAILABLE);
    services.CloseSnapshotHandles();
    start.reset();  // its events are done with

    // WM_QUIT does not end the loop: the thread lives until the process ends.
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got > 0 && msg.message == WM_SVC_COMMAND && msg.wParam) {
            SvcCommandBlock* block = reinterpret_cast<SvcCommandBlock*>(msg.wParam);
            RunCommand(services, *link, *block);
            delete block;
        }
        ::Sleep(1);
    }
}

}  // namespace

CServiceWorker::CServiceWorker() : m_ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

bool CServiceWorker::Start(CServiceEnumer* services, HANDLE windowPainted) {
    if (m_thread || !m_ready || !services) return false;
    auto start = std::make_unique<WorkerStart>(WorkerStart{services, DuplicateOwn(m_ready.Get()),
                                                          DuplicateOwn(windowPainted), m_link});
    if (!start->ready)
        return false;
    DWORD id = 0;
    m_thread.Reset(::CreateThread(nullptr, 0, WorkerThread, start.get(), 0, &id));
    if (!m_thread)
        return false;
    start.release();  // the thread's now
    m_threadId = id;
    return true;
}

bool CServiceWorker::PostCommand(std::atomic<bool>* busy, int command) {
    if (m_threadId == 0 || !m_ready || ::WaitForSingleObject(m_ready.Get(), kHandOverWaitMs) != WAIT_OBJECT_0) {
        return false;
    }
    SvcCommandBlock* block = new SvcCommandBlock{busy, command};
    if (!::PostThreadMessageW(m_threadId, WM_SVC_COMMAND, reinterpret_cast<WPARAM>(block), 0)) {
        delete block;
        return false;
    }
    return true;
}

void CServiceWorker::Detach() {
    {
        std::lock_guard<std::mutex> hold(m_link->lock);
        m_link->ownerGone = true;
    }
    if (m_thread) ::WaitForSingleObject(m_thread.Get(), 1);
    if (m_ready) ::ResetEvent(m_ready.Get());
}
