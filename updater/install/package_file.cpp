#include "updater/install/package_file.h"

#include "common/text_encoding.h"

#include <algorithm>

namespace {
constexpr size_t kMaxNameLength = 200;  // leaves room for the temporary folder within MAX_PATH

bool IsReservedDeviceName(const std::wstring& name) {
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; });
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" || stem == L"CONOUT$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'0' && stem[3] <= L'9';
}

// Checked after the conversion, so a byte sequence the code page cannot map (it becomes "?") fails too.
bool IsPlainFileName(const std::wstring& name) {
    if (name.empty() || name.size() > kMaxNameLength)
        return false;
    if (name.find(L"..") != std::wstring::npos)
        return false;
    for (wchar_t c : name) {
        if (c < 0x20 || c == 0x7F || std::wstring(L"<>:\"/\\|?*").find(c) != std::wstring::npos)
            return false;
    }
    // Windows drops trailing dots and spaces, so such a name would land on a different file.
    if (name.back() == L'.' || name.back() == L' ')
        return false;
    return !IsReservedDeviceName(name);
}
}  // namespace

std::wstring PackageFileName(const std::string& url) {
    const size_t slash = url.rfind('/');
    if (slash == std::string::npos)
        return kDefaultPackageName;
    const std::wstring name = AnsiToWide(url.substr(slash + 1));
    return IsPlainFileName(name) ? name : kDefaultPackageName;
}
