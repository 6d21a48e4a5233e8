#include "optimizer/tools/repair/cache_cleaning/cache_settings.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"

namespace {

const wchar_t kSettingsFile[] = L"\\Varnio\\data\\Setting\\sc_center.ini";
const wchar_t kAbsent[] = L"\n";  // no ini value can hold a line break, so this default marks a missing key
constexpr size_t kLongestPath = 32768;

std::wstring DefaultProductCache() {
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD got = ::GetTempPathW(MAX_PATH + 1, temp);
    if (got == 0 || got > MAX_PATH)
        return {};
    return std::wstring(temp) + L"varnio\\data\\Cache\\";
}

}  // namespace

ProductCacheSetting ReadProductCacheSetting() {
    wchar_t appData[MAX_PATH] = {};
    const DWORD got = ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    if (got == 0 || got >= MAX_PATH)
        return {DefaultProductCache()};
    const std::wstring file = std::wstring(appData) + kSettingsFile;
    // Read whole: a path cut short at 260 characters could name some other folder.
    std::vector<wchar_t> value(kLongestPath);
    const DWORD length = ::GetPrivateProfileStringW(L"SETTING", L"VARNIOCACHE", kAbsent, value.data(),
                                                    static_cast<DWORD>(value.size()), file.c_str());
    if (length + 1 >= value.size())
        return {L"", true};
    if (std::wstring(value.data()) == kAbsent)
        return {DefaultProductCache()};
    return {value.data()};
}

std::wstring ReadBrowserCacheFolder() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User shell folders", 0,
                        KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {};
    }
    AutoRegKey key(opened);
    wchar_t value[MAX_PATH + 1] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);  // room for a terminator the stored value may lack
    DWORD type = 0;
    if (::RegQueryValueExW(key.Get(), L"Cache", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    // An unknown %name% stays as written, so the folder simply does not exist.
    std::vector<wchar_t> expanded(kLongestPath);
    const DWORD length = ::ExpandEnvironmentStringsW(value, expanded.data(), static_cast<DWORD>(expanded.size()));
    if (length == 0 || length > expanded.size())
        return {};
    return expanded.data();
}
