#include "common/public_ip.h"

#include "common/curl_transfer.h"
#include "common/service_hosts.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr long kLookupSeconds = 5;

// Text mode, as the service's answer is a line of text.
std::string ReadCache(const std::wstring& path) {
    std::string text;
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file) return text;
    char block[1024];
    size_t got;
    while ((got = std::fread(block, 1, sizeof(block), file)) > 0) text.append(block, got);
    std::fclose(file);
    return text;
}

}  // namespace

std::wstring PublicIpCachePath() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathW(ARRAYSIZE(folder), folder);
    std::wstring path = length > 0 && length < ARRAYSIZE(folder) ? std::wstring(folder, length) : std::wstring();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path + L"get_public_ip_address.tmp";
}

std::string PublicIpAddress(const std::string& serviceUrl, const std::wstring& cachePath) {
    std::string cached = ReadCache(cachePath);
    if (!cached.empty()) return cached;

    bool fetched = false;
    {
        curl_space::CurlRequestScope request;
        CURL* handle = request.Handle();
        curl_space::SetConnectTimeout(handle, kLookupSeconds);
        curl_space::SetTotalTimeout(handle, kLookupSeconds);
        curl_space::ApplySystemProxy(handle);
        fetched = curl_space::DownloadToFile(handle, serviceUrl, cachePath);
    }
    if (fetched) return ReadCache(cachePath);
    ::DeleteFileW(cachePath.c_str());
    return {};
}

std::string PublicIpAddress() {
    return PublicIpAddress(ServiceUrl(LoadServiceHostsBesideProgram().ip, "/api?do=statinst&act=ip"),
                           PublicIpCachePath());
}
