#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

namespace {

struct GuardCase {
    const wchar_t* setting;
    const wchar_t* admitted;  // nullptr: refused
};

TEST(FolderGuard, AdmitsOnlyAbsoluteFoldersAwayFromRootsAndProtectedFolders) {
    const CFolderGuard guard(
        {{L"C:\\ProgramData", L"C:\\users\\me", L"C:\\users\\me\\Desktop", L"C:\\users\\me\\Documents"},
         {L"C:\\windows", L"C:\\Program Files", L"C:\\users\\me\\Pictures"},
         {L"C:\\users"},
         {L"C:\\users\\me"},
         {L"ME-PC", L"me-pc.example.net"}});
    const GuardCase cases[] = {
        {L"", nullptr},
        {L"\\", nullptr},
        {L"/", nullptr},
        {L"C:\\", nullptr},
        {L"C:", nullptr},
        {L"C:/", nullptr},
        {L"c:\\.", nullptr},
        {L"cache", nullptr},
        {L"..\\cache", nullptr},
        {L"\\cache", nullptr},
        {L"\\\\?\\C:\\", nullptr},
        {L"\\\\server\\share", nullptr},
        {L"\\\\server\\share\\", nullptr},
        {L"C:\\windows", nullptr},
        {L"C:\\WINDOWS\\system32", nullptr},
        {L"C:\\windows\\Temp\\cache", nullptr},
        {L"C:\\Program Files", nullptr},
        {L"C:\\users\\me", nullptr},
        {L"C:\\users", nullptr},
        {L"C:\\users\\me\\Desktop\\", nullptr},
        {L"C:\\users\\me\\documents", nullptr},
        {L"C:\\users\\me\\Desktop\\..\\..", nullptr},
        {L"C:\\users\\me\\AppData\\Local\\Temp\\varnio\\data\\Cache\\",
         L"C:\\users\\me\\AppData\\Local\\Temp\\varnio\\data\\Cache"},
        {L"C:/users/me/Desktop/cache/", L"C:\\users\\me\\Desktop\\cache"},
        {L"C:\\Program Files\\Varnio\\cache", nullptr},
        {L"C:\\ProgramData", nullptr},
        {L"C:\\ProgramData\\Varnio\\cache", L"C:\\ProgramData\\Varnio\\cache"},
        {L"C:\\users\\me\\Pictures\\cache", nullptr},
        {L"C:\\users\\me\\AppData\\..\\Pictures\\cache", nullptr},
        {L"C:\\users\\other", nullptr},
        {L"C:\\users\\other\\AppData\\Local\\Temp\\cache", nullptr},
        {L"C:\\users\\me\\..\\other\\cache", nullptr},
        {L"C:\\users\\Public\\cache", nullptr},
        {L"C:\\users\\meat\\cache", nullptr},
        {L"C:\\windowsCache", L"C:\\windowsCache"},
        {L"\\\\server\\share\\cache", L"\\\\server\\share\\cache"},
        // This machine's own disks through its shares are its protected folders by another name.
        {L"\\\\localhost\\C$\\Windows", nullptr},
        {L"\\\\127.0.0.1\\c$\\Users\\Public", nullptr},
        {L"\\\\LOCALHOST\\users\\other\\cache", nullptr},
        {L"\\\\[::1]\\share\\cache", nullptr},
        {L"\\\\server\\C$\\cache", nullptr},
        {L"\\\\me-pc\\share\\cache", nullptr},
        {L"\\\\Me-PC.example.net\\share\\cache", nullptr},
    };
    for (const GuardCase& c : cases) {
        EXPECT_EQ(guard.Admit(c.setting), c.admitted ? c.admitted : L"")
            << "setting: " << testing::PrintToString(std::wstring(c.setting));
    }
}

std::wstring Known(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result = SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)) && path ? path : L"";
    ::CoTaskMemFree(path);
    return result;
}

TEST(FolderGuard, ThisSystemsOwnFoldersAreProtected) {
    // OneDrive is only where its environment variable says.
    const std::wstring profile = Known(FOLDERID_Profile);
    ::SetEnvironmentVariableW(L"OneDrive", (profile + L"\\OneDrive").c_str());
    const CFolderGuard guard = CFolderGuard::ForThisSystem();
    ::SetEnvironmentVariableW(L"OneDrive", nullptr);
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring drive = std::wstring(windows).substr(0, 2);
    const struct {
        std::wstring folder;
        bool tree;  // refused with everything inside
    } cases[] = {
        {Known(FOLDERID_Windows), true},
        {Known(FOLDERID_System), true},
        {Known(FOLDERID_ProgramFiles), true},
        {Known(FOLDERID_ProgramFilesCommon), true},
        {Known(FOLDERID_ProgramData), false},
        {Known(FOLDERID_UserProfiles), true},
        {Known(FOLDERID_Public), true},
        {Known(FOLDERID_UserProfiles) + L"\\someone else", true},
        {profile, false},
        {Known(FOLDERID_Desktop), false},
        {Known(FOLDERID_Documents), false},
        {Known(FOLDERID_RoamingAppData), false},
        {Known(FOLDERID_LocalAppData), false},
        {Known(FOLDERID_Pictures), true},
        {Known(FOLDERID_Music), true},
        {Known(FOLDERID_Videos), true},
        {Known(FOLDERID_Downloads), true},
        {Known(FOLDERID_Favorites), true},
        {Known(FOLDERID_SavedGames), true},
        {profile + L"\\OneDrive", true},
        {drive + L"\\Boot", true},
        {drive + L"\\Recovery", true},
    };
    for (const auto& c : cases) {
        ASSERT_NE(L"", c.folder);
        EXPECT_EQ(L"", guard.Admit(c.folder)) << testing::PrintToString(c.folder);
        EXPECT_EQ(c.tree, guard.Admit(c.folder + L"\\cache").empty()) << testing::PrintToString(c.folder);
    }
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring cache = std::wstring(temp) + L"varnio\\data\\Cache\\";
    EXPECT_NE(L"", guard.Admit(cache));
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(::GetComputerNameW(name, &size));
    EXPECT_EQ(L"", guard.Admit(L"\\\\" + std::wstring(name) + L"\\share\\cache")) << "this machine's own share";
}

}  // namespace
