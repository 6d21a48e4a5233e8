// CBackgroundCall: runs one piece of start-up work on a thread of its own while the caller goes on, and
// hands it back at Join. Where no thread can be started the work runs inside Join instead, so the caller
// sees the same result either way. The object owns its thread and joins it when destroyed: the work
// never outlives what it captured.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "common/handles.h"

class CBackgroundCall {
public:
    CBackgroundCall() = default;
    ~CBackgroundCall() { Join(); }
    CBackgroundCall(const CBackgroundCall&) = delete;
    CBackgroundCall& operator=(const CBackgroundCall&) = delete;

    // Starts `work`; a call still pending is joined first.
    void Start(std::function<void()> work);
    // Waits until the work has run (running it here if it never started); does nothing when none is pending.
    void Join();

private:
    static DWORD WINAPI ThreadMain(void* work);
    std::unique_ptr<std::function<void()>> m_work;
    AutoHandle m_thread;
};
