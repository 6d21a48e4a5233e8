// CRefreshThread: refreshes the process list in the background. Every period the thread takes a
// refresh with the sampler it owns and posts `message` to the pane with a heap ProcessList* in lParam:
// the pane deletes it; when the post fails the thread does. The thread owns everything it touches, so
// Stop may give up waiting and leave it to finish alone. Start and Stop on the window thread.
#pragma once
#include <windows.h>

#include <memory>

#include "common/handles.h"
#include "optimizer/tools/process_list/sampling/process_sampler.h"

class CRefreshThread {
public:
    CRefreshThread() = default;
    ~CRefreshThread() { Stop(0); }
    CRefreshThread(const CRefreshThread&) = delete;
    CRefreshThread& operator=(const CRefreshThread&) = delete;

    // False when the thread cannot be started (the sampler is then dropped).
    bool Start(HWND pane, UINT message, DWORD periodMs, std::unique_ptr<CProcessSampler> sampler);
    // Asks the thread to end and waits at most `waitMs` for it.
    void Stop(DWORD waitMs);

private:
    AutoHandle m_thread;
    AutoHandle m_stop;
};
