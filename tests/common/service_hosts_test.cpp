#include "common/service_hosts.h"

#include "common/statistics.h"
#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

TEST(ServiceHosts, ReadsBaseAddressesAndAddsTheScheme) {
    TempFolder folder;
    const std::wstring ini = folder.Write(L"service_hosts.ini",
                                          "; comment\r\n[hosts]\r\nstatistics=http://stat.example.com/\r\n"
                                          "ip = 127.0.0.1:8080 \r\nupdate=https://up.example.com\r\n"
                                          "web=www.example.com\r\nplugin=https://p.example/get/\r\n"
                                          "speedtest=http://127.0.0.1:9/\r\n");
    const ServiceHosts hosts = LoadServiceHosts(ini);
    EXPECT_EQ("http://stat.example.com", hosts.statistics);
    EXPECT_EQ("http://127.0.0.1:8080", hosts.ip);
    EXPECT_EQ("https://up.example.com", hosts.update);
    EXPECT_EQ("http://www.example.com", hosts.web);
    EXPECT_EQ("https://p.example/get", hosts.plugin);
    EXPECT_EQ("http://127.0.0.1:9", hosts.speedtest);
}

TEST(ServiceHosts, MissingFileOrKeysGiveEmptyAddressesAndNoUrls) {
    TempFolder folder;
    const ServiceHosts hosts = LoadServiceHosts(folder.Path(L"missing.ini"));
    EXPECT_EQ("", hosts.statistics);
    EXPECT_EQ("", hosts.ip);
    EXPECT_EQ("", hosts.update);
    EXPECT_EQ("", InstallStatisticsUrl(hosts.statistics));
    EXPECT_EQ("", ServiceUrl(hosts.ip, "/api?do=statinst&act=ip"));
}

TEST(ServiceHosts, StatisticsUrlsHaveTheFixedPathsAndQueries) {
    EXPECT_EQ("http://s.example/softwareinstall.do?soft_id=1&do=statinst&act=inst&source=1",
              InstallStatisticsUrl("http://s.example"));
    EXPECT_EQ("http://s.example/softwareactive.do?soft_id=1", ActivityStatisticsUrl("http://s.example"));
}

TEST(ServiceHosts, ShippedFileNamesEveryService) {
    // The copy beside this program is the one the build ships beside Sorvik and Tavisk.
    const ServiceHosts hosts = LoadServiceHosts(ServiceHostsPathBesideProgram());
    EXPECT_NE("", hosts.statistics);
    EXPECT_NE("", hosts.ip);
    EXPECT_NE("", hosts.update);
    EXPECT_NE("", hosts.web);
    EXPECT_NE("", hosts.plugin);
    EXPECT_NE("", hosts.speedtest);
}
