// Synchronous HTTP requests over one libcurl easy handle, on the calling thread.
// A request succeeds only when the transfer completes with status 200 (redirects are not followed);
// every failure is a false result, never an exception. One handle serves one request.
#pragma once
#include <curl/curl.h>

#include <cstdint>
#include <string>

namespace curl_space {

// Told of a long download's progress on the downloading thread; non-zero aborts it (code 42).
class progress_callback_interface2 {
public:
    virtual int progress(double dltotal, double dlnow, double ultotal, double ulnow) = 0;

protected:
    ~progress_callback_interface2() = default;
};

// Brackets one request: global initialisation, one easy handle, and their release in reverse order.
class CurlRequestScope {
public:
    CurlRequestScope();
    ~CurlRequestScope();
    CurlRequestScope(const CurlRequestScope&) = delete;
    CurlRequestScope& operator=(const CurlRequestScope&) = delete;
    CURL* Handle() const { return m_handle; }  // null when the library could not start

private:
    bool m_global = false;
    CURL* m_handle = nullptr;
};

// Stops at the first option the library refuses. user and password are set only when both are given.
bool ApplyProxy(CURL* handle, long proxyType, const std::string& host, const std::string& port,
                const char* user = nullptr, const char* password = nullptr);
// Applies the system proxy when there is one, with empty credentials so that a proxy asking for them
// is answered; the request goes direct otherwise.
void ApplySystemProxy(CURL* handle);

bool SetConnectTimeout(CURL* handle, long seconds);
bool SetTotalTimeout(CURL* handle, long seconds);

// "Connection: close", 8 s connect and 8 s total time-outs; the body is discarded.
bool SimpleRequest(CURL* handle, const std::string& url);

// 8 s connect time-out (an earlier total time-out stays). Nothing is sent when the file cannot be
// created; after a failed transfer the partly written file stays. A failed write or close fails it,
// and so does a body longer than maxBytes, which stops the transfer there with no more than maxBytes
// written.
bool DownloadToFile(CURL* handle, const std::string& url, const std::wstring& localPath,
                    size_t maxBytes = SIZE_MAX);

// 8 s connect and 300 s total time-outs. *code is the library's result (42 when progress aborted,
// 0 when the transfer completed with a status other than 200, CURLE_WRITE_ERROR when the completed
// file could not be written or closed). progress may be null.
bool DownloadWithProgress(CURL* handle, const std::string& url, const std::wstring& localPath,
                          progress_callback_interface2* progress, CURLcode* code);

}  // namespace curl_space
