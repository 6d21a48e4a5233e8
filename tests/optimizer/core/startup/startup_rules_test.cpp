// The start-up's decisions on plain values: the command line, the installation record, the updater's
// parameters, the tray's narrow texts and the addresses the links may open.
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/core/startup/single_instance.h"
#include "optimizer/core/startup/statistics_thread.h"
#include "optimizer/core/startup/updater_launch.h"
#include "optimizer/core/tray/tray_icon.h"

TEST(StartupRules, OnlyTheExactWordUpdateSelectsTheUpdateMode) {
    EXPECT_TRUE(IsUpdateCommandLine(L"update"));
    for (const wchar_t* other : {L"Update", L"update now", L" update", L"", static_cast<const wchar_t*>(nullptr)})
        EXPECT_FALSE(IsUpdateCommandLine(other)) << (other ? other : L"(null)");
}

TEST(StartupRules, TheInstallationRecordIsRewrittenUnlessItHoldsThisVersion) {
    EXPECT_FALSE(InstallRecordOutdated(install_record::kVersion));
    for (const std::string& other :
         {std::string(), std::string("0.0.0.1"), std::string(install_record::kVersion) + " "})
        EXPECT_TRUE(InstallRecordOutdated(other)) << other;
}

TEST(StartupRules, TheUpdaterGetsTheHandleInDecimal) {
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(420));
    EXPECT_EQ("-hdl 420", UpdaterParameters(handle, false));
    EXPECT_EQ("-hdl 420 -man ", UpdaterParameters(handle, true));
}

TEST(StartupRules, TrayTextsAreCutBetweenCharacters) {
    char field[8] = {};
    CopyTrayText(field, sizeof(field), L"Sorvik\u72b6\u6001");  // "状" would need bytes 7 and 8
    EXPECT_STREQ("Sorvik", field);
    CopyTrayText(field, sizeof(field), L"Sorvik");
    EXPECT_STREQ("Sorvik", field);
}

TEST(StartupRules, LinksOpenOnlyWebAddresses) {
    for (const char* web : {"http://www.example.com/tool.html", "HTTPS://get.example.com/"})
        EXPECT_TRUE(IsWebAddress(web));
    for (const char* other :
         {"", "file:///C:/windows/system32/calc.exe", "C:\\evil.exe", "\\\\host\\share", "ftp://x/"})
        EXPECT_FALSE(IsWebAddress(other)) << other;
}
