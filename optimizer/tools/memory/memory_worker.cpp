#include "optimizer/tools/memory/memory_worker.h"

#include "optimizer/tools/memory/memory_messages.h"
#include "optimizer/tools/memory/process_trim.h"

namespace {

DWORD WINAPI MemoryThread(void* param) {
    std::unique_ptr<MemoryJob> job(static_cast<MemoryJob*>(param));
    if (!job || job->kind != kMemoryJobKind)
        return 0;
    const HWND owner = job->owner;
    const TrimOutcome outcome =
        TrimAllProcesses([owner](unsigned percent) { ::PostMessageW(owner, WM_MEMORY_PROGRESS, 0, percent); });
    // The done message is posted even when no snapshot could be taken, so the window never waits forever.
    auto result = std::make_unique<MemoryResult>();
    result->freedBytes = outcome.tally.FreedBytes();
    result->freedText = FormatFreedAmount(result->freedBytes);
    result->processesTrimmed = outcome.processesTrimmed;
    if (::PostMessageW(owner, WM_MEMORY_DONE, 0, reinterpret_cast<LPARAM>(result.get())))
        result.release();
    return 0;
}

}  // namespace

AutoHandle StartMemoryWorker(HWND owner, AutoHandle previous) {
    if (previous)
        ::WaitForSingleObject(previous.Get(), 1);
    previous.Reset();
    auto job = std::make_unique<MemoryJob>(MemoryJob{owner, kMemoryJobKind});
    AutoHandle thread(::CreateThread(nullptr, 0, MemoryThread, job.get(), 0, nullptr));
    if (thread)
        job.release();
    return thread;
}
