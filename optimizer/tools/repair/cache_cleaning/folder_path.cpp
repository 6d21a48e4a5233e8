#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"

namespace {

bool IsSlash(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A Win32 call that fills a buffer it sizes itself: the result, or empty on failure.
template <typename Call>
std::wstring GrowingCall(Call call) {
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD got = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (got == 0)
            return {};
        if (got < buffer.size())
            return std::wstring(buffer.data(), got);
        buffer.resize(got + 1);
    }
    return {};
}

// Length of the "\\server\share" part of a UNC path, or 0 when either name is missing.
size_t UncRootLength(const std::wstring& path) {
    const size_t server = path.find_first_of(L"\\/", 2);
    if (server == std::wstring::npos || server == 2)
        return 0;
    size_t share = path.find_first_of(L"\\/", server + 1);
    if (share == server + 1)
        return 0;
    return share == std::wstring::npos ? path.size() : share;
}

}  // namespace

bool IsAbsoluteFolderPath(const std::wstring& path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSlash(path[2]))
        return true;
    // "\\?\" and "\\.\" device paths are not folder settings anyone writes by hand: refused.
    if (path.size() >= 5 && IsSlash(path[0]) && IsSlash(path[1]) && path[2] != L'?' && path[2] != L'.') {
        return UncRootLength(path) != 0;
    }
    return false;
}

bool SplitUncRoot(const std::wstring& path, std::wstring& server, std::wstring& share) {
    if (path.size() < 5 || !IsSlash(path[0]) || !IsSlash(path[1]) || path[2] == L'?' || path[2] == L'.')
        return false;
    const size_t root = UncRootLength(path);
    if (root == 0)
        return false;
    const size_t split = path.find_first_of(L"\\/", 2);
    server = path.substr(2, split - 2);
    share = path.substr(split + 1, root - split - 1);
    return true;
}

std::wstring NormalizedFolder(const std::wstring& path) {
    if (!IsAbsoluteFolderPath(path))
        return {};
    std::wstring full =
        GrowingCall([&](wchar_t* out, DWORD size) { return ::GetFullPathNameW(path.c_str(), size, out, nullptr); });
    if (full.empty())
        return {};
    // Short (8.3) names would slip past the comparisons with the protected folders.
    const std::wstring longer =
        GrowingCall([&](wchar_t* out, DWORD size) { return ::GetLongPathNameW(full.c_str(), out, size); });
    if (!longer.empty())
        full = longer;
    while (full.size() > 3 && full.back() == L'\\')
        full.pop_back();
    if (full.size() == 2 && full[1] == L':')
        full += L'\\';
    return full;
}

std::wstring ResolvedFolder(const std::wstring& normalized) {
    if (normalized.empty())
        return {};
    AutoHandle folder(::CreateFileW(ExtendedLengthPath(normalized).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder)
        return {};
    std::wstring path = GrowingCall([&](wchar_t* out, DWORD size) {
        return ::GetFinalPathNameByHandleW(folder.Get(), out, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        path = L"\\" + path.substr(7);
    } else if (path.compare(0, 4, L"\\\\?\\") == 0) {
        path = path.substr(4);
    }
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}

bool IsVolumeRoot(const std::wstring& normalized) {
    if (normalized.size() <= 3 && normalized.size() >= 2 && normalized[1] == L':')
        return true;
    if (normalized.size() >= 2 && normalized[0] == L'\\' && normalized[1] == L'\\') {
        return UncRootLength(normalized) >= normalized.size();
    }
    return false;
}

bool FolderContains(const std::wstring& folder, const std::wstring& other) {
    if (folder.empty() || other.size() < folder.size())
        return false;
    if (::CompareStringOrdinal(folder.c_str(), static_cast<int>(folder.size()), other.c_str(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL) {
        return false;
    }
    return other.size() == folder.size() || folder.back() == L'\\' || other[folder.size()] == L'\\';
}

std::wstring ExtendedLengthPath(const std::wstring& normalized) {
    if (normalized.size() >= 2 && normalized[0] == L'\\' && normalized[1] == L'\\') {
        return L"\\\\?\\UNC\\" + normalized.substr(2);
    }
    return L"\\\\?\\" + normalized;
}
