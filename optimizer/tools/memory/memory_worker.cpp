#include "optimizer/tools/memory/memory_worker.h"

#include "optimizer/tools/memory/memory_messages.h"
#include "optimizer/tools/memory/process_trim.h"

namespace {

DWORD WINAPI MemoryThread(void* param) {
    std::unique_ptr<MemoryJob> job(static_cast<MemoryJob*>(param));
    if (!job || job->kind != kMemoryJobKind || !job->slot)
        return 0;
    const HWND owner = job->owner;
    const TrimOutcome outcome =
        TrimAllProcesses([owner](unsigned percent) { ::PostMessageW(owner, WM_MEMORY_PROGRESS, 0, percent); });
    // The result is left even when no snapshot could be taken, so the window never waits forever.
    MemoryResult result;
    result.freedBytes = outcome.tally.FreedBytes();
    result.freedText = FormatFreedAmount(result.freedBytes);
    result.processesOpened = outcome.processesOpened;
    result.processesTrimmed = outcome.processesTrimmed;
    job->slot->Put(job->run, std::move(result));
    ::PostMessageW(owner, WM_MEMORY_DONE, 0, 0);
    return 0;
}

}  // namespace

void CMemoryResultSlot::Put(unsigned run, MemoryResult result) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_run = run;
    m_result = std::move(result);
}

std::optional<MemoryResult> CMemoryResultSlot::Take(unsigned run) {
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_result || m_run != run)
        return std::nullopt;
    std::optional<MemoryResult> taken = std::move(m_result);
    m_result.reset();
    return taken;
}

AutoHandle StartMemoryWorker(HWND owner, unsigned run, std::shared_ptr<CMemoryResultSlot> slot, AutoHandle previous) {
    if (previous)
        ::WaitForSingleObject(previous.Get(), 1);
    previous.Reset();
    auto job = std::make_unique<MemoryJob>(MemoryJob{owner, kMemoryJobKind, run, std::move(slot)});
    AutoHandle thread(CurrentMemoryCalls().createThread(nullptr, 0, MemoryThread, job.get(), 0, nullptr));
    if (thread)
        job.release();
    return thread;
}
