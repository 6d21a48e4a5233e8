#include "optimizer/tools/process_list/sampling/refresh_thread.h"

namespace {
struct ThreadData {
    HWND pane;
    UINT message;
    DWORD periodMs;
    std::unique_ptr<CProcessSampler> sampler;
    AutoHandle stop;  // the thread's own handle to the stop event
};

DWORD WINAPI RefreshLoop(void* parameter) {
    std::unique_ptr<ThreadData> data(static_cast<ThreadData*>(parameter));
    try {
        // The pane took the first refresh itself; waiting first gives every share a full period.
        while (::WaitForSingleObject(data->stop.Get(), data->periodMs) == WAIT_TIMEOUT && ::IsWindow(data->pane)) {
            auto list = std::make_unique<ProcessList>();
            if (!data->sampler->Refresh(*list))
                continue;
            if (::WaitForSingleObject(data->stop.Get(), 0) != WAIT_TIMEOUT)
                break;
            if (::PostMessageW(data->pane, data->message, 0, reinterpret_cast<LPARAM>(list.get())))
                list.release();
        }
    } catch (...) {
        // Nothing may leave the thread; a failed refresh only ends the updates.
    }
    return 0;
}
}  // namespace

bool CRefreshThread::Start(HWND pane, UINT message, DWORD periodMs, std::unique_ptr<CProcessSampler> sampler) {
    Stop(0);
    m_stop.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_stop)
        return false;
    auto data = std::make_unique<ThreadData>();
    data->pane = pane;
    data->message = message;
    data->periodMs = periodMs;
    data->sampler = std::move(sampler);
    data->stop = DuplicateOwn(m_stop.Get());
    if (!data->stop)
        return false;
    m_thread.Reset(::CreateThread(nullptr, 0, &RefreshLoop, data.get(), 0, nullptr));
    if (!m_thread)
        return false;
    data.release();  // the thread owns it now
    return true;
}

void CRefreshThread::Stop(DWORD waitMs) {
    if (m_stop)
        ::SetEvent(m_stop.Get());
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), waitMs);
    m_thread.Reset();
    m_stop.Reset();
}
