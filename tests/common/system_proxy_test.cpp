#include "common/system_proxy.h"

#include <gtest/gtest.h>

using curl_space::ParseProxyList;

TEST(SystemProxy, ParsesTheFirstUsableEntryOfTheList) {
    const struct {
        const char* list;
        bool found;
        const char* host;
        const char* port;
    } cases[] = {
        {"10.0.0.1:8080 other:1", true, "10.0.0.1", "8080"},
        {"proxy.lan:3128", true, "proxy.lan", "3128"},
        {"host:80:extra", true, "host", "80"},
        {"10.0.0.1", false, "", ""},                  // no ":" means no proxy, the request goes direct
        {"plainhost other:1", false, "", ""},         // only the first entry counts
        {"", false, "", ""},
        {"host:", false, "", ""},
        // Per-protocol lists: the HTTP entry, never another protocol's address taken as a host.
        {"http=10.0.0.2:81;https=10.0.0.3:82", true, "10.0.0.2", "81"},
        {"https=10.0.0.3:82;http=10.0.0.2:81", true, "10.0.0.2", "81"},
        {"ftp=10.0.0.4:21", false, "", ""},
    };
    for (const auto& c : cases) {
        std::string host = "stale", port = "stale";
        EXPECT_EQ(c.found, ParseProxyList(c.list, &host, &port)) << c.list;
        EXPECT_EQ(c.host, host) << c.list;
        EXPECT_EQ(c.port, port) << c.list;
    }
}
