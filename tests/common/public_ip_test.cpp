#include "common/public_ip.h"

#include "tests/common/temp_folder.h"
#include "tests/support/http/test_http_server.h"

#include <gtest/gtest.h>

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

class PublicIp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }
    std::string ServiceUrl() const { return m_server.Url("/api?do=statinst&act=ip"); }

    TestHttpServer m_server;
    TempFolder m_folder;
};

}  // namespace

TEST_F(PublicIp, LooksUpOnceAndKeepsTheAnswer) {
    m_server.Route("/api", TestResponse{200, "203.0.113.9"});
    const std::wstring cache = m_folder.Path(L"get_public_ip_address.tmp");
    EXPECT_EQ("203.0.113.9", PublicIpAddress(ServiceUrl(), cache));
    EXPECT_EQ("203.0.113.9", m_folder.Read(L"get_public_ip_address.tmp"));

    m_server.Route("/api", TestResponse{200, "198.51.100.1"});
    EXPECT_EQ("203.0.113.9", PublicIpAddress(ServiceUrl(), cache)) << "a cached address is never refreshed";
    const auto requests = m_server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("/api", requests[0].path);
    EXPECT_EQ("do=statinst&act=ip", requests[0].query);
}

// An address arrives and is cached with its line break; only an address may be used as one.
TEST_F(PublicIp, AnswersAndCachesAreTrimmedAndNonAddressesRefused) {
    const struct {
        const char* cached;  // null: no cache file
        const char* answer;
        const char* expected;
        size_t lookups;
    } cases[] = {
        {"1.2.3.4\n", "9.9.9.9", "1.2.3.4", 0},
        {" 2001:db8::1\r\n", "9.9.9.9", "2001:db8::1", 0},
        {"\n", "203.0.113.9\r\n", "203.0.113.9", 1},  // a cache without an address counts as missing
        {"<html>busy</html>", "203.0.113.9", "203.0.113.9", 1},
        {"1.2.3", "203.0.113.9", "203.0.113.9", 1},
        {nullptr, "\t198.51.100.2 \n", "198.51.100.2", 1},
        {nullptr, "<html>error page</html>", "", 1},  // not an address: a failed lookup
        {nullptr, "256.1.1.1", "", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cached ? c.cached : c.answer);
        TestHttpServer server;
        ASSERT_TRUE(server.Start());
        server.Route("/api", TestResponse{200, c.answer});
        const std::wstring cache = c.cached ? m_folder.Write(L"ip.tmp", c.cached) : m_folder.Path(L"ip.tmp");
        ::DeleteFileW(c.cached ? L"" : cache.c_str());
        EXPECT_EQ(c.expected, PublicIpAddress(server.Url("/api?do=statinst&act=ip"), cache));
        EXPECT_EQ(c.lookups, server.Requests().size());
        EXPECT_EQ(*c.expected != 0, m_folder.Exists(L"ip.tmp")) << "a failed lookup leaves no cache";
    }
}

TEST_F(PublicIp, FailedLookupDeletesTheCacheAndGivesNothing) {
    m_server.Route("/api", TestResponse{500, "busy"});
    const std::wstring cache = m_folder.Write(L"ip.tmp", "");  // empty: looked up again
    EXPECT_EQ("", PublicIpAddress(ServiceUrl(), cache));
    EXPECT_FALSE(m_folder.Exists(L"ip.tmp"));
    EXPECT_EQ(1u, m_server.Requests().size());
}

TEST_F(PublicIp, StalledServiceGivesUpAfterFiveSeconds) {
    TestResponse stall;
    stall.fault = TestResponse::Fault::StallBeforeHeaders;
    m_server.Route("/api", stall);
    const DWORD start = ::GetTickCount();
    EXPECT_EQ("", PublicIpAddress(ServiceUrl(), m_folder.Path(L"ip.tmp")));
    EXPECT_LT(::GetTickCount() - start, 20000u);
    EXPECT_FALSE(m_folder.Exists(L"ip.tmp"));
}

TEST(PublicIpCache, LivesInTheTemporaryFolder) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(std::wstring(temp) + L"get_public_ip_address.tmp", PublicIpCachePath());
}
