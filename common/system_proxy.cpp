#include "common/system_proxy.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

namespace curl_space {
namespace {

std::vector<std::string> Split(const std::string& text, const char* separators) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(separators, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

}  // namespace

bool ParseProxyList(const std::string& list, std::string* host, std::string* port) {
    host->clear();
    port->clear();
    // A per-protocol list ("http=a:1;https=b:2") names its HTTP entry; entries for other protocols
    // would make a host of "ftp=a", so only plain entries and the "http=" one are used.
    for (const std::string& piece : Split(list, " ;")) {
        std::string address = piece;
        size_t equals = piece.find('=');
        if (equals != std::string::npos) {
            if (piece.compare(0, equals + 1, "http=") != 0) continue;
            address = piece.substr(equals + 1);
        }
        std::vector<std::string> parts = Split(address, ":");
        if (address.find(':') == std::string::npos || parts.size() < 2) return false;
        *host = parts[0];
        *port = parts[1];
        return true;
    }
    return false;
}

bool QuerySystemProxy(std::string* host, std::string* port) {
    host->clear();
    port->clear();
    // INTERNET_PROXY_INFO points into the same buffer, so the buffer has to be generous.
    alignas(INTERNET_PROXY_INFO) char buffer[4096] = {};
    DWORD size = sizeof(buffer);
    if (!::InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, buffer, &size)) return false;
    const auto* info = reinterpret_cast<const INTERNET_PROXY_INFO*>(buffer);
    const char* list = reinterpret_cast<const char*>(info->lpszProxy);
    if (!list || !*list) return false;
    return ParseProxyList(list, host, port);
}

}  // namespace curl_space
