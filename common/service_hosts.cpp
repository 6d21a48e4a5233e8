#include "common/service_hosts.h"

#include "common/text_encoding.h"

#include <windows.h>

#include <vector>

namespace {

std::string ReadBaseAddress(const std::wstring& iniPath, const wchar_t* key) {
    wchar_t value[1024] = {};
    ::GetPrivateProfileStringW(L"hosts", key, L"", value, ARRAYSIZE(value), iniPath.c_str());
    std::string base = WideToAnsi(value);
    const size_t first = base.find_first_not_of(" \t");
    const size_t last = base.find_last_not_of(" \t/");
    base = first == std::string::npos || last < first ? std::string() : base.substr(first, last - first + 1);
    if (!base.empty() && base.find("://") == std::string::npos) base = "http://" + base;
    return base;
}

}  // namespace

ServiceHosts LoadServiceHosts(const std::wstring& iniPath) {
    ServiceHosts hosts;
    hosts.statistics = ReadBaseAddress(iniPath, L"statistics");
    hosts.ip = ReadBaseAddress(iniPath, L"ip");
    hosts.update = ReadBaseAddress(iniPath, L"update");
    hosts.web = ReadBaseAddress(iniPath, L"web");
    hosts.plugin = ReadBaseAddress(iniPath, L"plugin");
    hosts.speedtest = ReadBaseAddress(iniPath, L"speedtest");
    return hosts;
}

std::wstring ServiceHostsPathBesideProgram() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"service_hosts.ini";
        if (length < path.size()) break;
        path.resize(path.size() * 2);
    }
    std::wstring folder(path.data());
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"service_hosts.ini";
}

ServiceHosts LoadServiceHostsBesideProgram() { return LoadServiceHosts(ServiceHostsPathBesideProgram()); }

std::string ServiceUrl(const std::string& base, const char* pathAndQuery) {
    return base.empty() ? std::string() : base + pathAndQuery;
}
