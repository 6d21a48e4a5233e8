#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"
#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

namespace {

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2]));
}

bool IsLink(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

uint64_t SizeOf(const WIN32_FIND_DATAW& entry) {
    return (uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

// Calls visit(entry) for each entry of `folder` (an extended-length path) but "." and "..", asking the
// sink before each one. False when stopped.
template <typename Visit>
bool ForEachEntry(const std::wstring& folder, CleaningSink& sink, Visit visit) {
    WIN32_FIND_DATAW entry;
    AutoFindFile search(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search)
        return !sink.StopRequested();
    do {
        if (sink.StopRequested())
            return false;
        if (!IsDots(entry.cFileName))
            visit(entry);
    } while (::FindNextFileW(search.Get(), &entry));
    return true;
}

// Opening without sharing is what tells a file in use from a free one: a file another program has open
// stays. Delete-on-close makes the check and the deletion one step.
bool DeleteUnusedFile(const std::wstring& path, DWORD attributes) {
    const DWORD flags = FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT;
    AutoHandle file(::CreateFileW(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!file && (attributes & FILE_ATTRIBUTE_READONLY)) {
        // A read-only file refuses delete-on-close; clear the attribute through a handle held exclusively.
        AutoHandle held(::CreateFileW(path.c_str(), DELETE | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!held)
            return false;
        FILE_BASIC_INFO basic = {};
        basic.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) | FILE_ATTRIBUTE_NORMAL;
        FILE_DISPOSITION_INFO dispose = {TRUE};
        return ::SetFileInformationByHandle(held.Get(), FileBasicInfo, &basic, sizeof(basic)) &&
               ::SetFileInformationByHandle(held.Get(), FileDispositionInfo, &dispose, sizeof(dispose));
    }
    return static_cast<bool>(file);
}

// The setting itself may name a link; then only the link is ever touched.
bool IsLinkedFolder(const std::wstring& extendedPath) {
    const DWORD attributes = ::GetFileAttributesW(extendedPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && IsLink(attributes);
}

}  // namespace

uint64_t FolderSize(const std::wstring& folder, CleaningSink& sink) {
    uint64_t total = 0;
    const std::wstring root = ExtendedLengthPath(folder);
    if (IsLinkedFolder(root))
        return 0;
    std::vector<std::wstring> pending{root};
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        const bool more = ForEachEntry(current, sink, [&](const WIN32_FIND_DATAW& entry) {
            if (IsLink(entry.dwFileAttributes))
                return;  // what a link points to is not ours to count
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back(current + L"\\" + entry.cFileName);
            } else {
                total += SizeOf(entry);
            }
        });
        if (!more)
            break;
    }
    return total;
}

bool DeleteFolderTree(const std::wstring& folder, CleaningSink& sink) {
    const std::wstring root = ExtendedLengthPath(folder);
    if (IsLinkedFolder(root)) {
        ::RemoveDirectoryW(root.c_str());
        return true;
    }

    // Folders still to empty, in order; a folder is removed once everything below it has been handled.
    struct Pending {
        std::wstring path;
        bool emptied;
    };
    std::vector<Pending> pending{{root, false}};
    while (!pending.empty()) {
        const size_t index = pending.size() - 1;
        if (pending[index].emptied) {
            ::RemoveDirectoryW(pending[index].path.c_str());  // fails quietly while it still holds files
            pending.pop_back();
            continue;
        }
        pending[index].emptied = true;
        const std::wstring current = pending[index].path;
        const bool more = ForEachEntry(current, sink, [&](const WIN32_FIND_DATAW& entry) {
            const std::wstring path = current + L"\\" + entry.cFileName;
            const DWORD attributes = entry.dwFileAttributes;
            if (IsLink(attributes)) {
                // Removing a junction or symbolic link removes the link only.
                (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str())
                                                        : ::DeleteFileW(path.c_str());
            } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back({path, false});
            } else if (DeleteUnusedFile(path, attributes)) {
                sink.Deleted(SizeOf(entry));
            }
        });
        if (!more)
            return false;
    }
    return true;
}
