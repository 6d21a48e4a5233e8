// Decides which folder settings a cache cleaner may touch at all. Refused: relative paths, drive and
// share roots, each protected folder and every folder that holds one, and anything inside a protected
// tree (the Windows folder), whether named directly or through a junction. Immutable once built; any
// thread may ask.
#pragma once
#include <string>
#include <vector>

class CFolderGuard {
public:
    struct Protected {
        std::vector<std::wstring> folders;  // refused, and so is every folder that holds one
        std::vector<std::wstring> trees;    // refused with everything inside them
    };

    explicit CFolderGuard(const Protected& protectedFolders);
    // The Windows, system and program-files folders, the user's profile, desktop, documents and
    // application-data folders of this machine and user.
    static CFolderGuard ForThisSystem();

    // The normalized folder to work on, or empty when the setting must be left alone.
    std::wstring Admit(const std::wstring& setting) const;

private:
    bool Allows(const std::wstring& normalized) const;

    Protected m_protected;  // normalized
};
