#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"

#include <windows.h>

#include <vector>

#include "common/handles.h"
#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

namespace {

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (!name[1] || (name[1] == L'.' && !name[2]));
}

bool IsLink(const WIN32_FIND_DATAW& entry) {
    return IsLinkEntry(entry.dwFileAttributes, entry.dwReserved0);
}

uint64_t SizeOf(const WIN32_FIND_DATAW& entry) {
    return (uint64_t(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

// Calls visit(entry) for each entry of `folder` (an extended-length path) but "." and "..", asking the
// sink before each one.
template <typename Visit>
TreeResult ForEachEntry(const std::wstring& folder, CleaningSink& sink, Visit visit) {
    WIN32_FIND_DATAW entry;
    AutoFindFile search(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search) {
        const DWORD error = ::GetLastError();
        if (sink.StopRequested())
            return TreeResult::Stopped;
        // Nothing there is nothing to clean; something there that cannot be listed is not cleaned.
        const bool there = ::GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
        return error == ERROR_FILE_NOT_FOUND || !there ? TreeResult::Done : TreeResult::Unreadable;
    }
    do {
        if (sink.StopRequested())
            return TreeResult::Stopped;
        if (!IsDots(entry.cFileName))
            visit(entry);
    } while (::FindNextFileW(search.Get(), &entry));
    return TreeResult::Done;
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

// The folder whose contents a run works on, as an extended-length path: the folder itself, or where it
// leads when it is a link (empty when that cannot be found).
struct TreeRoot {
    std::wstring path;
    bool linked = false;
};

TreeRoot RootOf(const std::wstring& folder) {
    const std::wstring path = ExtendedLengthPath(folder);
    WIN32_FIND_DATAW entry;
    AutoFindFile self(::FindFirstFileExW(path.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
    if (!self || !IsLink(entry))
        return {path, false};
    const std::wstring target = ResolvedFolder(folder);
    return {target.empty() ? std::wstring() : ExtendedLengthPath(target), true};
}

}  // namespace

bool IsLinkEntry(DWORD attributes, DWORD reparseTag) {
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    return reparseTag == IO_REPARSE_TAG_MOUNT_POINT || reparseTag == IO_REPARSE_TAG_SYMLINK || reparseTag == 0;
}

uint64_t FolderSize(const std::wstring& folder, CleaningSink& sink) {
    uint64_t total = 0;
    const TreeRoot root = RootOf(folder);
    if (root.path.empty())
        return 0;
    std::vector<std::wstring> pending{root.path};
    while (!pending.empty()) {
        const std::wstring current = std::move(pending.back());
        pending.pop_back();
        const TreeResult listed = ForEachEntry(current, sink, [&](const WIN32_FIND_DATAW& entry) {
            if (IsLink(entry))
                return;  // what a link points to is not ours to count
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back(current + L"\\" + entry.cFileName);
            } else {
                total += SizeOf(entry);
            }
        });
        if (listed == TreeResult::Stopped)
            break;
    }
    return total;
}

TreeResult DeleteFolderTree(const std::wstring& folder, CleaningSink& sink) {
    const TreeRoot root = RootOf(folder);
    if (root.path.empty())
        return TreeResult::Unreadable;  // a link that leads nowhere

    // Folders still to empty, in order; a folder is removed once everything below it has been handled.
    struct Pending {
        std::wstring path;
        bool emptied;
    };
    TreeResult result = TreeResult::Done;
    std::vector<Pending> pending{{root.path, false}};
    while (!pending.empty()) {
        const size_t index = pending.size() - 1;
        if (pending[index].emptied) {
            // Fails quietly while it still holds files. A linked folder's target stays for its link.
            if (index > 0 || !root.linked)
                ::RemoveDirectoryW(pending[index].path.c_str());
            pending.pop_back();
            continue;
        }
        pending[index].emptied = true;
        const std::wstring current = pending[index].path;
        const TreeResult listed = ForEachEntry(current, sink, [&](const WIN32_FIND_DATAW& entry) {
            const std::wstring path = current + L"\\" + entry.cFileName;
            const DWORD attributes = entry.dwFileAttributes;
            if (IsLink(entry)) {
                // Removing a junction or symbolic link removes the link only.
                (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str())
                                                        : ::DeleteFileW(path.c_str());
            } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back({path, false});
            } else if (DeleteUnusedFile(path, attributes)) {
                sink.Deleted(SizeOf(entry));
            }
        });
        if (listed == TreeResult::Stopped)
            return listed;
        if (listed == TreeResult::Unreadable)
            result = listed;
    }
    return result;
}
