#include "common/text_encoding.h"

#include <windows.h>

namespace {
std::string FromWide(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring ToWide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    int size = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size > 0 ? size : 0, L'\0');
    if (size > 0) ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
    return out;
}
}  // namespace

std::string WideToAnsi(const std::wstring& text) { return FromWide(text, CP_ACP); }
std::wstring AnsiToWide(const std::string& text) { return ToWide(text, CP_ACP); }
std::string WideToUtf8(const std::wstring& text) { return FromWide(text, CP_UTF8); }
std::wstring Utf8ToWide(const std::string& text) { return ToWide(text, CP_UTF8); }
