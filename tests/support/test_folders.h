// Creating, listing and removing folders in tests. Test thread; a folder that cannot be listed counts as
// empty.
#pragma once
#include <windows.h>

#include <string>

#include "common/handles.h"

// `folder` and `name` joined by one backslash (`folder` may already end with one).
inline std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// A new empty folder "<prefix><number>\\" under the temporary folder; its path, with the backslash.
inline std::wstring CreateFreshTempFolder(const std::wstring& prefix) {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    for (unsigned n = ::GetTickCount() ^ ::GetCurrentProcessId();; ++n) {
        const std::wstring path = std::wstring(base) + prefix + std::to_wstring(n) + L"\\";
        if (::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() != ERROR_ALREADY_EXISTS)
            return path;
    }
}

// Calls visit(name, attributes) for each entry of `folder` but "." and ".."; false when it cannot be listed.
template <typename Visit>
bool ForEachFolderEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW entry;
    AutoFindFile search(::FindFirstFileW(JoinPath(folder, L"*").c_str(), &entry));
    if (!search)
        return false;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            visit(name, entry.dwFileAttributes);
    } while (::FindNextFileW(search.Get(), &entry));
    return true;
}

// Removes `folder` with everything in it, read-only files too; junctions go as links, never followed.
inline void RemoveFolderTree(const std::wstring& folder) {
    ForEachFolderEntry(folder, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring path = JoinPath(folder, name);
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            RemoveFolderTree(path);
        else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ::RemoveDirectoryW(path.c_str());
        else
            ::DeleteFileW(path.c_str());
    });
    ::RemoveDirectoryW(folder.c_str());
}
