// Nettrel.dll: the download that Sorvik's speed test measures. first starts fetching the speed-test
// payload on a thread of its own, next reads the kilobytes received since, last stops and releases it.
// The address comes from "service_hosts.ini" in this library's own folder. Every entry point returns
// promptly; they may be called from any thread, one at a time.
#include "common/service_hosts.h"
#include "optimizer/companions/companion_exports.h"
#include "optimizer/companions/nettrel/speed_download.h"

#include <windows.h>

#include <mutex>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

namespace {

std::mutex g_lock;
// Created by first, released by last. Left alone when the process ends with a run going: joining a
// thread while the system unloads the library would hang.
CSpeedDownload* g_download = nullptr;

std::wstring OwnFolder() {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&OwnFolder), &self);
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size())
            break;
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data());
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder;
}

std::string PayloadUrl() {
    const ServiceHosts hosts = LoadServiceHosts(OwnFolder() + L"service_hosts.ini");
    return ServiceUrl(hosts.speedtest, kSpeedTestPayloadPath);
}

void ReleaseDownload() {
    delete g_download;  // stops and joins
    g_download = nullptr;
}

}  // namespace

extern "C" {

// 1 when a download started; 0 when nothing runs (the count then stays 0).
int WINAPI vo_connect_interface_first() {
    std::lock_guard<std::mutex> lock(g_lock);
    try {
        ReleaseDownload();
        const std::string url = PayloadUrl();
        if (url.empty())
            return 0;  // no speed-test address configured
        g_download = new (std::nothrow) CSpeedDownload;
        return g_download && g_download->Start(url) ? 1 : 0;
    } catch (...) {
        return 0;  // out of memory building the address: no run
    }
}

double WINAPI vo_connect_interface_next() {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_download ? g_download->Kilobytes() : 0.0;
}

// Safe without a first and when called twice.
int WINAPI vo_connect_interface_last() {
    std::lock_guard<std::mutex> lock(g_lock);
    ReleaseDownload();
    return 1;
}

}  // extern "C"

static_assert(std::is_same<decltype(&vo_connect_interface_first), VoConnectFirstFn>::value, "first");
static_assert(std::is_same<decltype(&vo_connect_interface_next), VoConnectNextFn>::value, "next");
static_assert(std::is_same<decltype(&vo_connect_interface_last), VoConnectLastFn>::value, "last");
