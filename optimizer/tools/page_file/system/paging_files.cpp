#include "optimizer/tools/page_file/system/paging_files.h"

#include "common/handles.h"

#include <cstdio>

namespace {
const char kValueName[] = "PagingFiles";
constexpr int kInitialMB = 1024;
constexpr int kMaximumMB = 4092;
constexpr int kReadAttempts = 3;  // the value may grow between asking its size and reading it
}  // namespace

std::vector<std::string> SplitMultiString(const std::string& bytes) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        if (end == start)
            break;
        entries.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

bool ReadPagingFiles(std::vector<std::string>& entries, const PageFileKey& key) {
    entries.clear();
    // Reading needs no more than query rights, so the check works without administrator rights too.
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    AutoRegKey owner(opened);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD size = 0;
        if (::RegQueryValueExA(opened, kValueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return false;
        std::string bytes(size, '\0');
        LONG rc = ::RegQueryValueExA(opened, kValueName, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(bytes.empty() ? nullptr : &bytes[0]), &size);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS)
            return false;
        bytes.resize(size);
        entries = SplitMultiString(bytes);
        return true;
    }
    return false;
}

std::string PageFileEntry(const std::string& letterA) {
    char entry[64] = {};
    std::snprintf(entry, sizeof(entry), "%s:\\pagefile.sys %d %d", letterA.c_str(), kInitialMB, kMaximumMB);
    return entry;
}

bool WritePageFile(const std::string& letterA, const PageFileKey& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(key.root, key.path.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    AutoRegKey owner(opened);
    std::string value = PageFileEntry(letterA);
    value.append(2, '\0');  // the entry's terminator and the multi-string's
    return ::RegSetValueExA(opened, kValueName, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                            static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}
