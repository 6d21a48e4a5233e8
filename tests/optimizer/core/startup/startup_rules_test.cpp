// The start-up's decisions on plain values: the command line, the installation record, the updater's
// parameters, the tray's narrow texts, the addresses the links may open and the skin images decoded first.
#include <gtest/gtest.h>

#include "optimizer/core/main_window/first_images.h"
#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/core/startup/single_instance.h"
#include "optimizer/core/startup/statistics_thread.h"
#include "optimizer/core/startup/updater_launch.h"
#include "optimizer/core/tray/tray_icon.h"
#include "skin/files/image_decode.h"

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

TEST(StartupRules, TheImagesOfTheFrameAndTheFirstPageAreDecodedFirstEachOnce) {
    // The frame and page 0 count; pages 1 and 2 wait for their first visit; 0 names no image.
    EXPECT_EQ((std::vector<int>{4, 1, 2, 9}),
              ImagesShownFirst({{-1, {4, 1}}, {0, {2, 0, 4}}, {1, {20, 21}}, {2, {3}}, {0, {9, 2}}}));
    EXPECT_TRUE(ImagesShownFirst({{1, {5}}, {2, {3}}}).empty());
}

TEST(StartupRules, DecodingUsesOneThreadPerProcessorAndNoneForASingleImage) {
    struct Case {
        size_t images;
        unsigned processors;
        int threads;
    };
    for (const Case& c : {Case{19, 2, 2}, Case{19, 1, 1}, Case{3, 8, 3}, Case{1, 2, 0}, Case{0, 2, 0}, Case{5, 0, 1}})
        EXPECT_EQ(c.threads, DecodeThreadCount(c.images, c.processors)) << c.images << " on " << c.processors;
}
