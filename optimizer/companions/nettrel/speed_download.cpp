// libcurl's header first: it needs the socket headers before <windows.h>.
#include "common/curl_transfer.h"

#include "optimizer/companions/nettrel/speed_download.h"

#include <memory>

namespace {

constexpr long kPollMs = 100;
constexpr long kConnectSeconds = 8;
// Small buffers make the client, not the link, the limit (every receive is a round trip through the system).
constexpr long kReceiveBufferBytes = 1024 * 1024;
// A speed-test host may hand the download on to a mirror; a longer chain is taken as broken.
constexpr long kMaxRedirects = 5;

struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

}  // namespace

bool CSpeedDownload::Start(const std::string& url) {
    Stop();
    m_url = url;
    m_bytes = 0;
    m_stop = false;
    // The thread keeps its own reference to this library, so unloading it mid-run cannot take the
    // code from under the thread; the thread drops it as it exits.
    HMODULE self = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ThreadMain), &self))
        return false;
    m_module = self;
    m_thread.Reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
    if (!m_thread) {
        ::FreeLibrary(self);
        return false;
    }
    return true;
}

void CSpeedDownload::Stop() {
    if (!m_thread)
        return;
    m_stop = true;
    {
        std::lock_guard<std::mutex> lock(m_multiLock);
        if (m_multi)
            curl_multi_wakeup(m_multi);
    }
    // Prompt: the thread looks at the flag after every poll of at most kPollMs, and was just woken.
    ::WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
}

DWORD WINAPI CSpeedDownload::ThreadMain(void* param) {
    auto* self = static_cast<CSpeedDownload*>(param);
    HMODULE module = self->m_module;
    try {
        self->Run();
    } catch (...) {
        // Nothing leaves a thread procedure; the count simply stops growing.
    }
    ::FreeLibraryAndExitThread(module, 0);
}

void CSpeedDownload::Run() {
    if (m_url.empty())
        return;
    curl_space::CurlRequestScope scope;
    if (scope.Handle())
        Transfer(scope.Handle());
}

void CSpeedDownload::Transfer(CURL* handle) {
    // A cached copy on the way would measure the cache, not the connection.
    std::unique_ptr<curl_slist, SlistFree> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    curl_easy_setopt(handle, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // Leave a name lookup that is still running to finish on its own instead of waiting for it.
    curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, CountBlock);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
    curl_space::ApplySystemProxy(handle);
    m_handle = handle;

    CURLM* multi = curl_multi_init();
    if (!multi)
        return;
    {
        std::lock_guard<std::mutex> lock(m_multiLock);
        m_multi = multi;
    }
    const DWORD startTick = ::GetTickCount();
    // A payload that ends before the run does is fetched again, so the count grows for the whole run.
    while (!m_stop && FetchOnce(multi, handle, startTick)) {
    }
    {
        std::lock_guard<std::mutex> lock(m_multiLock);
        m_multi = nullptr;
    }
    curl_multi_cleanup(multi);
}

bool CSpeedDownload::FetchOnce(CURLM* multi, CURL* handle, DWORD startTick) {
    if (curl_multi_add_handle(multi, handle) != CURLM_OK)
        return false;
    const uint64_t before = m_bytes;
    bool done = false;
    CURLcode result = CURLE_OK;
    while (!done && !m_stop && ::GetTickCount() - startTick < kMaxRunMs) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK)
            break;
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                done = true;
            }
        }
        if (!done)
            curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
    }
    curl_multi_remove_handle(multi, handle);
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    // An empty answer would be fetched again at once without end.
    return done && result == CURLE_OK && status == 200 && m_bytes > before;
}

size_t CSpeedDownload::CountBlock(char*, size_t size, size_t count, void* param) {
    auto* self = static_cast<CSpeedDownload*>(param);
    if (self->m_stop)
        return 0;  // ends the transfer at once
    long status = 0;
    curl_easy_getinfo(self->m_handle, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200)
        return 0;  // an error page is no payload
    self->m_bytes += size * count;
    return size * count;
}
