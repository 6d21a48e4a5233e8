#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

namespace {

struct GuardCase {
    const wchar_t* setting;
    const wchar_t* admitted;  // nullptr: refused
};

TEST(FolderGuard, AdmitsOnlyAbsoluteFoldersAwayFromRootsAndProtectedFolders) {
    const CFolderGuard guard(
        {{L"C:\\Program Files", L"C:\\users\\me", L"C:\\users\\me\\Desktop", L"C:\\users\\me\\Documents"},
         {L"C:\\windows"}});
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
        {L"C:\\Program Files\\Varnio\\cache", L"C:\\Program Files\\Varnio\\cache"},
        {L"C:\\windowsCache", L"C:\\windowsCache"},
        {L"\\\\server\\share\\cache", L"\\\\server\\share\\cache"},
    };
    for (const GuardCase& c : cases) {
        EXPECT_EQ(guard.Admit(c.setting), c.admitted ? c.admitted : L"")
            << "setting: " << testing::PrintToString(std::wstring(c.setting));
    }
}

TEST(FolderGuard, ThisSystemsOwnFoldersAreProtected) {
    const CFolderGuard guard = CFolderGuard::ForThisSystem();
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_PROGRAM_FILES, CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY,
                      CSIDL_PERSONAL, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA}) {
        wchar_t folder[MAX_PATH] = {};
        ASSERT_EQ(S_OK, ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder));
        EXPECT_EQ(L"", guard.Admit(folder)) << testing::PrintToString(std::wstring(folder));
    }
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring cache = std::wstring(temp) + L"varnio\\data\\Cache\\";
    EXPECT_NE(L"", guard.Admit(cache));
}

}  // namespace
