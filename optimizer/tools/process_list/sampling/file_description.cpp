#include "optimizer/tools/process_list/sampling/file_description.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {
constexpr size_t kMaxDescription = 511;

std::wstring StringValue(std::vector<BYTE>& info, WORD language, WORD codePage, const wchar_t* key) {
    wchar_t query[96] = {};
    std::swprintf(query, 96, L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage, key);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), query, reinterpret_cast<void**>(&value), &length) || !value)
        return {};
    std::wstring text(value, wcsnlen(value, length));
    if (text.size() > kMaxDescription)
        text.resize(kMaxDescription);
    return text;
}
}  // namespace

std::wstring FileDescription(const std::wstring& path) {
    const std::wstring none = L"无描述";
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return none;
    std::vector<BYTE> info(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, info.data()))
        return none;
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                          &length) ||
        !translation || length < sizeof(Translation))
        return none;
    std::wstring text = StringValue(info, translation->language, translation->codePage, L"FileDescription");
    if (text.empty())
        text = StringValue(info, translation->language, translation->codePage, L"CompanyName");
    return text.empty() ? none : text;
}
