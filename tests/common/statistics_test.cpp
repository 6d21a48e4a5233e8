#include "common/statistics.h"

#include "common/client_identity.h"
#include "common/public_ip.h"
#include "common/registry_text.h"
#include "common/text_encoding.h"
#include "tests/common/registry_sandbox.h"
#include "tests/support/http/test_http_server.h"

#include <gtest/gtest.h>

#include <cstdio>

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

class Statistics : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.Start());
        m_server.Route("/softwareinstall.do", TestResponse{200, "ok"});
        m_server.Route("/softwareactive.do", TestResponse{200, "ok"});
    }

    TestHttpServer m_server;
    RegistrySandbox m_key;
};

// Puts an address into the real cache file for one test and removes the file afterwards.
class CachedPublicIp {
public:
    explicit CachedPublicIp(const std::string& ip) {
        FILE* file = _wfopen(PublicIpCachePath().c_str(), L"wb");
        if (file) {
            std::fwrite(ip.data(), 1, ip.size(), file);
            std::fclose(file);
        }
    }
    ~CachedPublicIp() { ::DeleteFileW(PublicIpCachePath().c_str()); }
};

}  // namespace

TEST_F(Statistics, InstallRequestCarriesTheIdentityQuery) {
    EXPECT_TRUE(SendStatisticsWithIp(m_key.ProductName(), InstallStatisticsUrl(m_server.Url("")), "203.0.113.5"));
    const std::string identity = ReadRegistryText(HKEY_CURRENT_USER, m_key.SubKey(), "uuid");
    EXPECT_EQ(GenerateIdentity(), identity) << "created under the product key";

    const auto requests = m_server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("/softwareinstall.do", requests[0].path);
    // The package name default travels as raw UTF-8 bytes.
    const std::string pkg = requests[0].query.substr(requests[0].query.find("&pkgname=") + 9);
    EXPECT_EQ("soft_id=1&do=statinst&act=inst&source=1&uuid=" + identity + "&ip=203.0.113.5&version=1.0.0.1&pkgname=",
              requests[0].query.substr(0, requests[0].query.size() - pkg.size()));
    EXPECT_EQ(WideToUtf8(L"绿色版"), pkg);
    EXPECT_NE(std::string::npos, requests[0].headers.find("Connection: close"));
}

TEST_F(Statistics, ActivityRequestUsesTheCachedPublicIpAndStoredValues) {
    CachedPublicIp cached("198.51.100.77");
    m_key.Set("uuid", "0123456789abcdef0123456789abcdef");
    m_key.Set("version", "1.1.06.05", REG_EXPAND_SZ);
    m_key.Set("pkgname", "Sorvik_Setup.exe", REG_EXPAND_SZ);
    SendStatistics(m_key.ProductName(), ActivityStatisticsUrl(m_server.Url("")));

    const auto requests = m_server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("/softwareactive.do", requests[0].path);
    EXPECT_EQ("soft_id=1&uuid=0123456789abcdef0123456789abcdef&ip=198.51.100.77&version=1.1.06.05&pkgname=Sorvik_Setup.exe",
              requests[0].query);
}

TEST_F(Statistics, RefusedRequestIsReportedAsFailure) {
    EXPECT_FALSE(SendStatisticsWithIp(m_key.ProductName(), m_server.Url("/elsewhere.do?x=1"), "1.1.1.1"));
    ASSERT_EQ(1u, m_server.Requests().size());
    EXPECT_EQ(0u, m_server.Requests()[0].query.find("x=1&uuid="));
}
