#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "optimizer/tools/repair/cache_cleaning/folder_path.h"

namespace {

using SystemFolder = CFolderGuard::SystemFolder;

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

bool AnyContains(const std::vector<std::wstring>& folders, const std::wstring& other) {
    for (const std::wstring& folder : folders) {
        if (FolderContains(folder, other))
            return true;
    }
    return false;
}

bool HoldsAny(const std::wstring& folder, const std::vector<std::wstring>& others) {
    for (const std::wstring& other : others) {
        if (FolderContains(folder, other))
            return true;
    }
    return false;
}

void Append(std::vector<std::wstring>& to, const std::vector<std::wstring>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    const HRESULT got = ::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::wstring result = SUCCEEDED(got) && path ? path : L"";
    ::CoTaskMemFree(path);
    return result;
}

std::wstring EnvironmentFolder(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    const DWORD got = ::GetEnvironmentVariableW(name, path, MAX_PATH);
    return got > 0 && got < MAX_PATH ? path : std::wstring();
}

std::wstring WindowsFolder() {
    wchar_t path[MAX_PATH] = {};
    const UINT got = ::GetSystemWindowsDirectoryW(path, MAX_PATH);
    return got > 0 && got < MAX_PATH ? path : std::wstring();
}

std::vector<std::wstring> KnownFolders(std::initializer_list<const KNOWNFOLDERID*> ids) {
    std::vector<std::wstring> result;
    for (const KNOWNFOLDERID* id : ids)
        result.push_back(KnownFolder(*id));
    return result;
}

std::vector<std::wstring> EnvironmentFolders(std::initializer_list<const wchar_t*> names) {
    std::vector<std::wstring> result;
    for (const wchar_t* name : names)
        result.push_back(EnvironmentFolder(name));
    return result;
}

std::wstring ComputerName(COMPUTER_NAME_FORMAT format) {
    wchar_t name[256] = {};
    DWORD size = 256;
    return ::GetComputerNameExW(format, name, &size) ? name : std::wstring();
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A share of this machine, under any of its names, or an administrative share ("C$", "ADMIN$") of any.
bool NamesOwnDisks(const std::wstring& normalized, const std::vector<std::wstring>& machineNames) {
    std::wstring server, share;
    if (!SplitUncRoot(normalized, server, share))
        return false;
    if (share.back() == L'$' || server.compare(0, 4, L"127.") == 0)
        return true;
    for (const wchar_t* loopback : {L"localhost", L"[::1]", L"::1", L"0--1.ipv6-literal.net"}) {
        if (SameName(server, loopback))
            return true;
    }
    for (const std::wstring& name : machineNames) {
        if (SameName(server, name))
            return true;
    }
    return false;
}

}  // namespace

std::vector<std::wstring> ThisSystemsFolders(SystemFolder which) {
    std::vector<std::wstring> result;
    switch (which) {
        case SystemFolder::Windows:
            result = KnownFolders({&FOLDERID_Windows});
            result.push_back(WindowsFolder());
            Append(result, EnvironmentFolders({L"SystemRoot", L"windir"}));
            break;
        case SystemFolder::ProgramFiles:
            result = KnownFolders({&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesCommon,
                                   &FOLDERID_ProgramFilesCommonX86});
            // A 32-bit program on 64-bit Windows is told the x86 folder; the native one is only in the environment.
            Append(result,
                   EnvironmentFolders({L"ProgramW6432", L"ProgramFiles", L"ProgramFiles(x86)", L"CommonProgramW6432"}));
            break;
        case SystemFolder::ProgramData:
            result = KnownFolders({&FOLDERID_ProgramData});
            Append(result, EnvironmentFolders({L"ProgramData", L"ALLUSERSPROFILE"}));
            break;
        case SystemFolder::Profiles:
            result = KnownFolders({&FOLDERID_UserProfiles});
            break;
        case SystemFolder::OwnProfile:
            result = KnownFolders({&FOLDERID_Profile});
            result.push_back(EnvironmentFolder(L"USERPROFILE"));
            break;
        case SystemFolder::OwnFolders:
            result = KnownFolders({&FOLDERID_Desktop, &FOLDERID_Documents, &FOLDERID_RoamingAppData,
                                   &FOLDERID_LocalAppData, &FOLDERID_PublicDesktop, &FOLDERID_PublicDocuments});
            break;
        case SystemFolder::OwnMedia:
            result = KnownFolders({&FOLDERID_Pictures, &FOLDERID_Music, &FOLDERID_Videos, &FOLDERID_Downloads,
                                   &FOLDERID_Favorites, &FOLDERID_SavedGames, &FOLDERID_SkyDrive});
            Append(result, EnvironmentFolders({L"OneDrive", L"OneDriveConsumer", L"OneDriveCommercial"}));
            break;
        case SystemFolder::BootAndRecovery: {
            const std::wstring windows = WindowsFolder();
            for (const std::wstring& drive : {windows.substr(0, 2), EnvironmentFolder(L"SystemDrive")}) {
                if (drive.size() == 2 && drive[1] == L':') {
                    result.push_back(drive + L"\\Boot");
                    result.push_back(drive + L"\\Recovery");
                }
            }
            break;
        }
        case SystemFolder::MachineNames:
            for (COMPUTER_NAME_FORMAT format :
                 {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified}) {
                result.push_back(ComputerName(format));
            }
            break;
    }
    return result;
}

CFolderGuard::CFolderGuard(const Protected& protectedFolders)
    : m_protected{Normalized(protectedFolders.folders), Normalized(protectedFolders.trees),
                  Normalized(protectedFolders.profiles), Normalized(protectedFolders.ownProfile),
                  protectedFolders.machineNames} {}

CFolderGuard CFolderGuard::FromSystemFolders(const FolderSource& where) {
    Protected p;
    for (SystemFolder tree :
         {SystemFolder::Windows, SystemFolder::ProgramFiles, SystemFolder::OwnMedia, SystemFolder::BootAndRecovery}) {
        Append(p.trees, where(tree));
    }
    for (SystemFolder folder : {SystemFolder::ProgramData, SystemFolder::OwnProfile, SystemFolder::OwnFolders})
        Append(p.folders, where(folder));
    p.profiles = where(SystemFolder::Profiles);
    p.ownProfile = where(SystemFolder::OwnProfile);
    p.machineNames = where(SystemFolder::MachineNames);
    return CFolderGuard(p);
}

CFolderGuard CFolderGuard::ForThisSystem() {
    return FromSystemFolders(ThisSystemsFolders);
}

bool CFolderGuard::Allows(const std::wstring& folder) const {
    if (IsVolumeRoot(folder) || NamesOwnDisks(folder, m_protected.machineNames) || HoldsAny(folder, m_protected.folders) || HoldsAny(folder, m_protected.trees) ||
        AnyContains(m_protected.trees, folder) || HoldsAny(folder, m_protected.profiles)) {
        return false;
    }
    // Inside the folder of all profiles only the user's own profile holds caches of this user.
    return !AnyContains(m_protected.profiles, folder) || AnyContains(m_protected.ownProfile, folder);
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
