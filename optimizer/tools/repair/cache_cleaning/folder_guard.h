// Decides which folder settings a cache cleaner may touch at all. Refused: relative paths, drive and
// share roots, each protected folder and every folder that holds one, anything inside a protected tree,
// and the folder of all profiles with everything inside it but the user's own profile, whether named
// directly, through ".." or through a junction or symbolic link; and every share of this machine and
// every administrative share, which name its own disks. Immutable once built; any thread may ask.
#pragma once
#include <functional>
#include <string>
#include <vector>

class CFolderGuard {
public:
    struct Protected {
        std::vector<std::wstring> folders;     // refused, and so is every folder that holds one
        std::vector<std::wstring> trees;       // refused with everything inside them
        std::vector<std::wstring> profiles;    // folder of all profiles: a tree, except inside...
        std::vector<std::wstring> ownProfile;  // ...the user's own profile (a protected folder itself)
        std::vector<std::wstring> machineNames;  // this machine's names: its shares are its own disks
    };

    // The machine's and the user's folders that decide what is protected.
    enum class SystemFolder {
        Windows,
        ProgramFiles,  // every flavour: native, x86, common
        ProgramData,
        Profiles,
        OwnProfile,
        OwnFolders,  // desktop, documents, application data: their sub-folders may be caches
        OwnMedia,    // pictures, music, videos, downloads, favorites, saved games, OneDrive
        BootAndRecovery,
        MachineNames,  // not folders: the names other machines reach this one's shares by
    };
    // Where each of them is; empty paths are skipped.
    using FolderSource = std::function<std::vector<std::wstring>(SystemFolder)>;

    explicit CFolderGuard(const Protected& protectedFolders);
    static CFolderGuard FromSystemFolders(const FolderSource& where);
    // The folders of this machine and user, as the system names them.
    static CFolderGuard ForThisSystem();

    // The normalized folder to work on, or empty when the setting must be left alone.
    std::wstring Admit(const std::wstring& setting) const;

private:
    bool Allows(const std::wstring& normalized) const;

    Protected m_protected;  // normalized, each folder also where it really is
};

// The folders of this machine and user (known folders, with the environment's where a 32-bit program
// is told another folder than the one that is there).
std::vector<std::wstring> ThisSystemsFolders(CFolderGuard::SystemFolder which);
