// The memory clean-up worker: one thread per run that trims every process, posts WM_MEMORY_PROGRESS
// after each one and then WM_MEMORY_DONE carrying the result. Started from the window's thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/handles.h"

constexpr int kMemoryJobKind = 3;

// The thread's start record; the thread owns and frees it.
struct MemoryJob {
    HWND owner;
    int kind;  // kMemoryJobKind; any other record is refused
};

// What WM_MEMORY_DONE hands over in its lParam. The receiver owns it (TakeMemoryResult); when the post
// fails the worker frees it.
struct MemoryResult {
    std::wstring freedText;  // as shown, e.g. "12.345M"
    int64_t freedBytes = 0;  // net; negative when more grew than was freed
    unsigned processesTrimmed = 0;
};

// Gives the previous worker 1 ms and lets go of its handle (a run still going finishes on its own),
// then starts a run for `owner`. Returns the new thread, or an empty owner if it cannot start.
AutoHandle StartMemoryWorker(HWND owner, AutoHandle previous);

// Takes ownership of the result a WM_MEMORY_DONE carries.
inline std::unique_ptr<MemoryResult> TakeMemoryResult(LPARAM lParam) {
    return std::unique_ptr<MemoryResult>(reinterpret_cast<MemoryResult*>(lParam));
}
