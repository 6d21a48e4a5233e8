#include "common/public_ip.h"

#include "common/curl_transfer.h"
#include "common/service_hosts.h"
#include "common/system_folders.h"

#include <windows.h>

#include <algorithm>
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

bool IsIpv4(const std::string& text) {
    int parts = 0;
    size_t i = 0;
    for (;;) {
        const size_t start = i;
        unsigned value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (i - start == 3) return false;
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
        }
        if (i == start || value > 255) return false;
        if (++parts == 4) return i == text.size();
        if (i == text.size() || text[i] != '.') return false;
        ++i;
    }
}

// Hexadecimal groups between colons, perhaps ending in a dotted IPv4 part.
bool IsIpv6(const std::string& text) {
    return text.size() >= 2 && text.size() <= 45 && std::count(text.begin(), text.end(), ':') >= 2 &&
           text.find_first_not_of("0123456789abcdefABCDEF:.") == std::string::npos;
}

}  // namespace

std::string AddressFromAnswer(const std::string& text) {
    const char kSpace[] = " \t\r\n\f\v";
    const size_t first = text.find_first_not_of(kSpace);
    if (first == std::string::npos) return {};
    const std::string address = text.substr(first, text.find_last_not_of(kSpace) - first + 1);
    return IsIpv4(address) || IsIpv6(address) ? address : std::string();
}

std::wstring PublicIpCachePath() { return TemporaryFolder() + L"get_public_ip_address.tmp"; }

std::string PublicIpAddress(const std::string& serviceUrl, const std::wstring& cachePath) {
    // The service answers with a line break, and a cache holding anything but an address would
    // otherwise spoil every later request for good.
    const std::string cached = AddressFromAnswer(ReadCache(cachePath));
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
    const std::string address = fetched ? AddressFromAnswer(ReadCache(cachePath)) : std::string();
    if (address.empty()) ::DeleteFileW(cachePath.c_str());
    return address;
}

std::string PublicIpAddress() {
    return PublicIpAddress(ServiceUrl(LoadServiceHostsBesideProgram().ip, "/api?do=statinst&act=ip"),
                           PublicIpCachePath());
}
