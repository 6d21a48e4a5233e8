#include "updater/config/movrel_settings.h"

#include "common/text_encoding.h"
#include "updater/config/updater_folders.h"

#include <windows.h>

namespace {
constexpr wchar_t kSection[] = L"check";
constexpr wchar_t kKey[] = L"check_time";
}  // namespace

std::wstring MovrelSettingsPath() {
    return ConfigFolder() + L"varnio_movrel.ini";
}

std::string ReadCheckTime(const std::wstring& iniPath) {
    wchar_t value[64] = {};
    ::GetPrivateProfileStringW(kSection, kKey, L"-1", value, ARRAYSIZE(value), iniPath.c_str());
    return WideToAnsi(value);
}

bool WriteCheckTime(const std::wstring& iniPath, int64_t seconds) {
    const size_t slash = iniPath.rfind(L'\\');
    if (slash != std::wstring::npos)
        ::CreateDirectoryW(iniPath.substr(0, slash).c_str(), nullptr);
    return ::WritePrivateProfileStringW(kSection, kKey, std::to_wstring(seconds).c_str(), iniPath.c_str()) != FALSE;
}
