// CURLOPT_PROGRESSFUNCTION is the library's older progress option; its double values are exactly
// what progress_callback_interface2 forwards.
#define CURL_DISABLE_DEPRECATION
#include "common/curl_transfer.h"

#include "common/pipelined_file_writer.h"
#include "common/system_proxy.h"

namespace curl_space {
namespace {

constexpr long kConnectSeconds = 8;
constexpr long kSimpleTotalSeconds = 8;
constexpr long kPackageTotalSeconds = 300;
constexpr long kFtpResponseSeconds = 8;
// With the default 16 KB receive buffer a download under Wine crawls (about 50 MB/s on loopback): every
// receive is a round trip through the system layer. The file is written on a thread of its own, so the
// disk's time overlaps the network's instead of adding to it.
constexpr long kReceiveBufferBytes = 4 * 1024 * 1024;

size_t WriteBlock(char* data, size_t size, size_t count, void* writer) {
    return static_cast<PipelinedFileWriter*>(writer)->Append(data, size * count) ? size * count : 0;
}

// The file writer with room for `left` more bytes; a block that does not fit stops the transfer.
struct CappedWriter {
    PipelinedFileWriter* file;
    size_t left;
};

size_t WriteCappedBlock(char* data, size_t size, size_t count, void* target) {
    auto* capped = static_cast<CappedWriter*>(target);
    const size_t bytes = size * count;
    if (bytes > capped->left)
        return 0;
    capped->left -= bytes;
    return WriteBlock(data, size, count, capped->file);
}

size_t DiscardBlock(char*, size_t size, size_t count, void*) { return size * count; }

int ForwardProgress(void* target, double dltotal, double dlnow, double ultotal, double ulnow) {
    auto* progress = static_cast<progress_callback_interface2*>(target);
    return progress ? progress->progress(dltotal, dlnow, ultotal, ulnow) : 0;
}

bool ReceiveToFile(CURL* handle, const std::string& url, PipelinedFileWriter* file) {
    return curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteBlock) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_WRITEDATA, file) == CURLE_OK;
}

bool Status200(CURL* handle, CURLcode* infoResult) {
    long status = 0;
    CURLcode result = curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (infoResult) *infoResult = result;
    return result == CURLE_OK && status == 200;
}

}  // namespace

CurlRequestScope::CurlRequestScope() {
    m_global = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
    if (m_global) m_handle = curl_easy_init();
}

CurlRequestScope::~CurlRequestScope() {
    if (m_handle) curl_easy_cleanup(m_handle);
    if (m_global) curl_global_cleanup();
}

bool ApplyProxy(CURL* handle, long proxyType, const std::string& host, const std::string& port, const char* user,
                const char* password) {
    if (!handle || curl_easy_setopt(handle, CURLOPT_PROXYTYPE, proxyType) != CURLE_OK) return false;
    if (host.empty() || port.empty()) return false;
    const std::string address = host + ":" + port;
    if (curl_easy_setopt(handle, CURLOPT_PROXY, address.c_str()) != CURLE_OK) return false;
    if (curl_easy_setopt(handle, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_ANY)) != CURLE_OK) return false;
    if (user && password) {
        if (curl_easy_setopt(handle, CURLOPT_PROXYUSERNAME, user) != CURLE_OK) return false;
        if (curl_easy_setopt(handle, CURLOPT_PROXYPASSWORD, password) != CURLE_OK) return false;
    }
    return true;
}

void ApplySystemProxy(CURL* handle) {
    std::string host, port;
    // Empty credentials still let the library answer a proxy's 407; without them the request ends there.
    if (QuerySystemProxy(&host, &port)) ApplyProxy(handle, CURLPROXY_HTTP, host, port, "", "");
}

bool SetConnectTimeout(CURL* handle, long seconds) {
    return handle && curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, seconds) == CURLE_OK;
}

bool SetTotalTimeout(CURL* handle, long seconds) {
    return handle && curl_easy_setopt(handle, CURLOPT_TIMEOUT, seconds) == CURLE_OK;
}

bool SimpleRequest(CURL* handle, const std::string& url) {
    if (!handle) return false;
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    SetConnectTimeout(handle, kConnectSeconds);
    SetTotalTimeout(handle, kSimpleTotalSeconds);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardBlock);
    curl_slist* headers = curl_slist_append(nullptr, "Connection: close");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    bool ok = curl_easy_perform(handle) == CURLE_OK && Status200(handle, nullptr);
    // The handle keeps a pointer to the list until its cleanup; detach it before freeing.
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, nullptr);
    curl_slist_free_all(headers);
    return ok;
}

bool DownloadToFile(CURL* handle, const std::string& url, const std::wstring& localPath, size_t maxBytes) {
    if (!handle) return false;
    PipelinedFileWriter file;
    if (!file.Create(localPath)) return false;
    CappedWriter capped = {&file, maxBytes};
    if (!ReceiveToFile(handle, url, &file) ||
        curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteCappedBlock) != CURLE_OK ||
        curl_easy_setopt(handle, CURLOPT_WRITEDATA, &capped) != CURLE_OK)
        return false;
    SetConnectTimeout(handle, kConnectSeconds);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    const bool performed = curl_easy_perform(handle) == CURLE_OK;
    const bool closed = file.Finish();
    return performed && closed && Status200(handle, nullptr);
}

bool DownloadWithProgress(CURL* handle, const std::string& url, const std::wstring& localPath,
                          progress_callback_interface2* progress, CURLcode* code) {
    *code = CURLE_FAILED_INIT;
    if (!handle) return false;
    PipelinedFileWriter file;
    if (!file.Create(localPath)) {
        *code = CURLE_WRITE_ERROR;
        return false;
    }
    ReceiveToFile(handle, url, &file);
    SetConnectTimeout(handle, kConnectSeconds);
    SetTotalTimeout(handle, kPackageTotalSeconds);
    curl_easy_setopt(handle, CURLOPT_FTP_RESPONSE_TIMEOUT, kFtpResponseSeconds);
    curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    if (progress) {
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_PROGRESSFUNCTION, ForwardProgress);
        curl_easy_setopt(handle, CURLOPT_PROGRESSDATA, progress);
    }
    *code = curl_easy_perform(handle);
    const bool closed = file.Finish();
    if (*code != CURLE_OK) return false;
    if (!closed) {
        *code = CURLE_WRITE_ERROR;
        return false;
    }
    return Status200(handle, code);
}

}  // namespace curl_space
