#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

#include <windows.h>

#include <shlobj.h>

#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

namespace {

std::vector<std::wstring> Normalized(const std::vector<std::wstring>& folders) {
    std::vector<std::wstring> result;
    for (const std::wstring& folder : folders) {
        std::wstring normalized = NormalizedFolder(folder);
        if (!normalized.empty())
            result.push_back(std::move(normalized));
    }
    return result;
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}

std::wstring EnvironmentFolder(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    const DWORD got = ::GetEnvironmentVariableW(name, path, MAX_PATH);
    return got > 0 && got < MAX_PATH ? path : std::wstring();
}

}  // namespace

CFolderGuard::CFolderGuard(const Protected& protectedFolders)
    : m_protected{Normalized(protectedFolders.folders), Normalized(protectedFolders.trees)} {}

CFolderGuard CFolderGuard::ForThisSystem() {
    Protected p;
    for (int csidl : {CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
                      CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_APPDATA,
                      CSIDL_LOCAL_APPDATA, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_DOCUMENTS}) {
        p.folders.push_back(ShellFolder(csidl));
    }
    // A 32-bit program on 64-bit Windows is told the x86 folder; the native one is only in the environment.
    p.folders.push_back(EnvironmentFolder(L"ProgramW6432"));
    p.folders.push_back(EnvironmentFolder(L"USERPROFILE"));
    p.trees.push_back(ShellFolder(CSIDL_WINDOWS));
    wchar_t windows[MAX_PATH] = {};
    if (::GetWindowsDirectoryW(windows, MAX_PATH))
        p.trees.push_back(windows);
    return CFolderGuard(p);
}

std::wstring CFolderGuard::Admit(const std::wstring& setting) const {
    const std::wstring folder = NormalizedFolder(setting);
    if (folder.empty() || IsVolumeRoot(folder))
        return {};
    for (const std::wstring& guarded : m_protected.folders) {
        if (FolderContains(folder, guarded))
            return {};
    }
    for (const std::wstring& tree : m_protected.trees) {
        if (FolderContains(tree, folder) || FolderContains(folder, tree))
            return {};
    }
    return folder;
}
