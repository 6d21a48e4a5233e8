// The system proxy from the prefix's Internet Settings, end to end: the public-address lookup goes
// through a loopback proxy that asks once for Basic credentials.
#include "common/public_ip.h"
#include "common/system_proxy.h"
#include "tests/common/temp_folder.h"
#include "tests/support/http/test_http_server.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Sets ProxyEnable and ProxyServer for one test and puts back whatever was there before.
class ScopedProxySetting {
public:
    ScopedProxySetting(DWORD enable, const std::string& server) {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                          nullptr);
        m_enable = Save("ProxyEnable");
        m_server = Save("ProxyServer");
        ::RegSetValueExA(m_key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable), sizeof(enable));
        ::RegSetValueExA(m_key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                         static_cast<DWORD>(server.size() + 1));
        Announce();
    }
    ~ScopedProxySetting() {
        Restore("ProxyEnable", m_enable);
        Restore("ProxyServer", m_server);
        ::RegCloseKey(m_key);
        Announce();
    }
    ScopedProxySetting(const ScopedProxySetting&) = delete;
    ScopedProxySetting& operator=(const ScopedProxySetting&) = delete;

private:
    struct Value {
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    Value Save(const char* name) const {
        Value value;
        DWORD size = 0;
        if (::RegQueryValueExA(m_key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
            return value;
        value.data.resize(size);
        value.present =
            ::RegQueryValueExA(m_key, name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
        return value;
    }
    void Restore(const char* name, const Value& value) const {
        if (!value.present) {
            ::RegDeleteValueA(m_key, name);
            return;
        }
        ::RegSetValueExA(m_key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    }
    // Windows reads these settings once per process unless told they changed.
    static void Announce() {
        ::InternetSetOptionA(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
        ::InternetSetOptionA(nullptr, INTERNET_OPTION_REFRESH, nullptr, 0);
    }

    HKEY m_key = nullptr;
    Value m_enable, m_server;
};

}  // namespace

TEST(SystemProxyPath, DisabledSettingMeansNoProxy) {
    // Wine also takes a proxy from the environment: this test owns its setting entirely.
    ::SetEnvironmentVariableA("http_proxy", nullptr);
    _putenv("http_proxy=");
    ScopedProxySetting setting(0, "10.0.0.1:8080");
    std::string host = "stale", port = "stale";
    EXPECT_FALSE(curl_space::QuerySystemProxy(&host, &port));
    EXPECT_EQ("", host);
    EXPECT_EQ("", port);
}

TEST(SystemProxyPath, LookupGoesThroughAnAuthenticatingProxy) {
    TestHttpServer proxy;
    ASSERT_TRUE(proxy.Start());
    TestResponse answer{200, "203.0.113.7"};
    answer.proxyAuth = true;
    proxy.Route("/api", answer);
    const std::string port = std::to_string(proxy.Port());
    const std::string url = "http://ip.service.invalid/api?do=statinst&act=ip";

    for (const std::string& server : {"127.0.0.1:" + port, "http=127.0.0.1:" + port + ";https=127.0.0.1:1"}) {
        SCOPED_TRACE(server);
        const size_t before = proxy.Requests().size();
        ScopedProxySetting setting(1, server);
        std::string host, foundPort;
        ASSERT_TRUE(curl_space::QuerySystemProxy(&host, &foundPort));
        EXPECT_EQ("127.0.0.1", host);
        EXPECT_EQ(port, foundPort);

        TempFolder folder;
        EXPECT_EQ("203.0.113.7", PublicIpAddress(url, folder.Path(L"ip.tmp")));
        const auto requests = proxy.Requests();
        ASSERT_EQ(before + 2, requests.size()) << "asked once for credentials, then served";
        EXPECT_EQ(url, requests[before].target);
        EXPECT_EQ(std::string::npos, requests[before].headers.find("Proxy-Authorization:"));
        EXPECT_EQ(url, requests[before + 1].target);
        // Basic with an empty user name and password: base64 of ":".
        EXPECT_NE(std::string::npos, requests[before + 1].headers.find("Proxy-Authorization: Basic Og==\r\n"))
            << requests[before + 1].headers;
    }
}
