#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

#include <windows.h>

#include <shlobj.h>

#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

namespace {

// Each folder as written and, where it differs, where it really is.
std::vector<std::wstring> Normalized(const std::vector<std::wstring>& folders) {
    std::vector<std::wstring> result;
    for (const std::wstring& folder : folders) {
        const std::wstring normalized = NormalizedFolder(folder);
        if (normalized.empty())
            continue;
        result.push_back(normalized);
        const std::wstring real = ResolvedFolder(normalized);
        if (!real.empty() && real != normalized)
            result.push_back(real);
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

bool CFolderGuard::Allows(const std::wstring& folder) const {
    if (IsVolumeRoot(folder))
        return false;
    for (const std::wstring& guarded : m_protected.folders) {
        if (FolderContains(folder, guarded))
            return false;
    }
    for (const std::wstring& tree : m_protected.trees) {
        if (FolderContains(tree, folder) || FolderContains(folder, tree))
            return false;
    }
    return true;
}

std::wstring CFolderGuard::Admit(const std::wstring& setting) const {
    const std::wstring folder = NormalizedFolder(setting);
    if (folder.empty() || !Allows(folder))
        return {};
    // A junction on the way can make a harmless-looking path another name of a protected folder.
    const std::wstring real = ResolvedFolder(folder);
    if (!real.empty() && !Allows(real))
        return {};
    return folder;
}
