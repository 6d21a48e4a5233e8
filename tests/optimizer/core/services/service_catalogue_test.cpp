#include <gtest/gtest.h>

#include <windows.h>

#include "optimizer/core/services/service_catalogue.h"
#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_journal.h"

namespace {

const std::wstring kSeparator = L"\t\t\t\t\t\t\t ";

std::wstring UpperCatalogue() {
    std::wstring text = ServiceCatalogueText();
    UpperCaseInPlace(text);
    return text;
}

TEST(ServiceCatalogue, IsTwentySevenSegmentsEachClosedBySevenTabsAndASpace) {
    const std::wstring& text = ServiceCatalogueText();
    size_t separators = 0;
    for (size_t at = text.find(kSeparator); at != std::wstring::npos; at = text.find(kSeparator, at + 1)) ++separators;
    EXPECT_EQ(27u, separators);
    EXPECT_EQ(0u, text.find(L"xp1.alerter,2.Application Layer Gateway Service,\t"));
    EXPECT_EQ(text.size() - kSeparator.size(), text.rfind(kSeparator));
    // The Windows 7 part follows the words "自动升级" that close the XP list.
    EXPECT_NE(std::wstring::npos, text.find(kSeparator + L"\u81ea\u52a8\u5347\u7ea7win7#1.Adaptive brightness,,2."));
    // Segment 24 has no trailing comma; the text continues with the separator.
    EXPECT_NE(std::wstring::npos, text.find(L"Smart Card Removal Policy" + kSeparator + L"37.SSDP Discovery,"));
    EXPECT_NE(std::wstring::npos,
              text.find(L"Windows Media Center Receiver Service / Windows Media Center Scheduler Service," + kSeparator));
    EXPECT_EQ(2205u, text.size());
}

struct ListingCase {
    const wchar_t* name;
    const wchar_t* description;
    bool listed;
};

class ServiceListing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(ServiceListing, FollowsTheCatalogueAndTheKeywords) {
    const ListingCase& c = GetParam();
    EXPECT_EQ(c.listed, IsListedService(UpperCatalogue(), c.name, c.description)) << c.name;

    CServiceEnumer services;  // the member rule agrees with the pure one
    ServiceRecord record{SERVICE_RUNNING, c.name, c.description};
    EXPECT_EQ(c.listed, services.IsListed(record)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, ServiceListing,
    ::testing::Values(
        ListingCase{L"Fax", L"", true}, ListingCase{L"Alerter", L"", true}, ListingCase{L"Messenger", L"", true},
        ListingCase{L"RSVP", L"", true}, ListingCase{L"WebClient", L"", true}, ListingCase{L"webclient", L"", true},
        ListingCase{L"Schedule", L"", true},     // through "Scheduler" in the last segment
        ListingCase{L"TlntSvr", L"", false},     // Telnet's key name; display names are never searched
        ListingCase{L"Telnet", L"", true},       // the word itself would match
        ListingCase{L"RpcSs", L"", false}, ListingCase{L"PlugPlay", L"", false}, ListingCase{L"EventLog", L"", false},
        ListingCase{L"", L"", false},            // an empty name would occur everywhere
        ListingCase{L"\t\t\t ", L"", true}));     // separators are part of the text

INSTANTIATE_TEST_SUITE_P(
    Keywords, ServiceListing,
    ::testing::Values(ListingCase{L"gupdate", L"", true}, ListingCase{L"MyupdateSvc", L"", true},
                      ListingCase{L"GoogleUpdate", L"", false},  // the name keeps its case: "Update" is not "update"
                      ListingCase{L"GoogleUpdate", L"Keeps the browser up to date", false},
                      ListingCase{L"GoogleUpdate", L"Runs the update task", true},
                      ListingCase{L"GoogleUpdate", L"Runs the UPDATE task", false},
                      ListingCase{L"Plain", L"\u81ea\u52a8\u66f4\u65b0\u670d\u52a1", true},  // 自动更新服务
                      ListingCase{L"Plain", L"\u7cfb\u7edf\u5347\u7ea7", true},               // 系统升级
                      ListingCase{L"\u66f4\u65b0\u670d\u52a1", L"", true},                     // 更新服务 as key name
                      ListingCase{L"Plain", L"\u5347", false}));

TEST(ServiceListing, CountingUpperCasesTheCatalogueAndFillsTheCounters) {
    CServiceEnumer services;
    services.m_services = {
        {SERVICE_RUNNING, L"Fax", L""},          {SERVICE_STOPPED, L"WebClient", L""},
        {SERVICE_STOP_PENDING, L"gupdate", L""}, {SERVICE_RUNNING, L"RpcSs", L""},
        {SERVICE_STOPPED, L"Alerter", L""},      {SERVICE_RUNNING, L"Plain", L"update"},
    };
    EXPECT_EQ(5, services.CountListed());
    EXPECT_EQ(5, services.m_listedCount);
    EXPECT_EQ(2, services.m_listedRunning);
    EXPECT_EQ(3, services.m_totalRunning);
    EXPECT_EQ(L"WebClientAlerter", services.m_alreadyStopped);
    EXPECT_EQ(UpperCatalogue(), services.m_catalogue);

    services.m_services.clear();  // counting again starts from zero
    EXPECT_EQ(0, services.CountListed());
    EXPECT_EQ(0, services.m_totalRunning);
    EXPECT_EQ(L"", services.m_alreadyStopped);
}

TEST(SweepPercent, DividesByListedRunningAndCapsAtNinetyTwo) {
    struct Case { int n, running, listed, percent; };
    const Case cases[] = {
        {1, 1, 1, 92},   // 100 is shown as 92
        {1, 2, 3, 50}, {2, 2, 3, 92},
        {1, 3, 3, 33}, {2, 3, 3, 66},
        {1, 0, 4, 25},   // nothing was running: the listed count divides
        {5, 4, 6, 92},   // a restore may count past the running services
        {1, 0, 0, 92},   // no divisor at all never divides by zero
    };
    for (const Case& c : cases) EXPECT_EQ(c.percent, SweepPercent(c.n, c.running, c.listed)) << c.n << "/" << c.running;
}

TEST(StartPollDelay, IsATenthOfTheHintWithinOneAndTenSeconds) {
    EXPECT_EQ(1000u, StartPollDelay(0));
    EXPECT_EQ(1000u, StartPollDelay(9999));
    EXPECT_EQ(3000u, StartPollDelay(30000));
    EXPECT_EQ(10000u, StartPollDelay(100000));
    EXPECT_EQ(10000u, StartPollDelay(0xFFFFFFFFu));
}

TEST(ServiceJournalFormat, RoundTripsNamesAsAMultiString) {
    const std::vector<std::wstring> names = {L"gupdate", L"Fax", L"\u66f4\u65b0"};
    const std::wstring data = JoinMultiString(names);
    EXPECT_EQ(std::wstring(L"gupdate\0Fax\0\u66f4\u65b0\0\0", 16), data);
    EXPECT_EQ(names, SplitMultiString(data.c_str(), data.size()));
    EXPECT_TRUE(SplitMultiString(L"", 0).empty());
    EXPECT_EQ(std::vector<std::wstring>{L"Fax"}, SplitMultiString(L"Fax", 3));  // unterminated data still reads
    EXPECT_EQ(std::wstring(L"\0", 1), JoinMultiString({L""}));                  // empty names are dropped
}

}  // namespace
