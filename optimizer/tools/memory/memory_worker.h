// The memory clean-up worker: one thread per run that trims every process, posts WM_MEMORY_PROGRESS
// after each one, leaves its result in the window's slot and then posts WM_MEMORY_DONE. Started from
// the window's thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/handles.h"

constexpr int kMemoryJobKind = 3;

// What one run found.
struct MemoryResult {
    std::wstring freedText;        // as shown, e.g. "12.345M"
    int64_t freedBytes = 0;        // net; negative when more grew than was freed
    unsigned processesOpened = 0;  // 0 when no snapshot was taken or no process could be opened
    unsigned processesTrimmed = 0;
};

// Where a run leaves its result for the window, marked with the run's number. The done message carries
// nothing, so a message from anywhere else finds no result of the current run and is ignored. Shared by
// the window and its workers, so a worker that outlives the window still has somewhere to write. Any
// thread.
class CMemoryResultSlot {
public:
    void Put(unsigned run, MemoryResult result);
    // The result of run `run` if it has arrived; handed out once.
    std::optional<MemoryResult> Take(unsigned run);

private:
    std::mutex m_lock;
    std::optional<MemoryResult> m_result;
    unsigned m_run = 0;
};

// The thread's start record; the thread owns and frees it.
struct MemoryJob {
    HWND owner;
    int kind;  // kMemoryJobKind; any other record is refused
    unsigned run;
    std::shared_ptr<CMemoryResultSlot> slot;
};

// Gives the previous worker 1 ms and lets go of its handle (a run still going finishes on its own),
// then starts run `run` for `owner`. Returns the new thread, or an empty owner if it cannot start.
AutoHandle StartMemoryWorker(HWND owner, unsigned run, std::shared_ptr<CMemoryResultSlot> slot, AutoHandle previous);
