// One speed-test download: a thread of its own fetches the payload from `url` again and again,
// following up to five http or https redirects and counting the body bytes of 200 answers, until
// Stop, a failed fetch or kMaxRunMs. Start and Stop from one thread at a time; Kilobytes from any
// thread. Stop returns promptly even when the server stalls (the transfer waits in short polls and is
// woken at once).
#pragma once
#include "common/handles.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// As libcurl declares them; its header wants the socket headers before <windows.h>.
typedef void CURL;
typedef void CURLM;

class CSpeedDownload {
public:
    // A run that nobody stops ends by itself, so a forgotten one cannot hold the connection.
    static constexpr DWORD kMaxRunMs = 60 * 1000;

    CSpeedDownload() = default;
    ~CSpeedDownload() { Stop(); }
    CSpeedDownload(const CSpeedDownload&) = delete;
    CSpeedDownload& operator=(const CSpeedDownload&) = delete;

    // Starts the thread; false when it could not start (nothing then runs). An empty url runs nothing.
    bool Start(const std::string& url);
    void Stop();
    double Kilobytes() const { return static_cast<double>(m_bytes.load()) / 1024.0; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void Transfer(CURL* handle);
    bool FetchOnce(CURLM* multi, CURL* handle, DWORD startTick);
    static size_t CountBlock(char* data, size_t size, size_t count, void* self);

    std::string m_url;
    CURL* m_handle = nullptr;  // the transfer thread's own, for the status in CountBlock
    std::atomic<uint64_t> m_bytes{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_multiLock;      // guards m_multi between the thread and Stop's wake-up
    CURLM* m_multi = nullptr;    // the thread's, while it transfers
    HMODULE m_module = nullptr;  // this library, referenced for the thread's lifetime
    AutoHandle m_thread;
};
