// Where the maker's web services live: read from "service_hosts.ini" beside the program, so a
// deployment can point both programs elsewhere without a rebuild. Any thread; missing keys give "".
#pragma once
#include <string>

struct ServiceHosts {
    std::string statistics;  // base addresses such as "http://stat.example.com[:port]", no trailing "/"
    std::string ip;
    std::string update;
    std::string web;        // the maker's web site: tools page and feedback page
    std::string plugin;     // the browser plug-in vendor's public download page (a whole address)
    std::string speedtest;  // the speed-test server that Nettrel downloads its payload from
};

// Fixed paths on the maker's services, appended to the base addresses above.
constexpr const char* kToolsPagePath = "/tool.html";
constexpr const char* kFeedbackPagePath = "/youhuafeedback.html";
constexpr const char* kSpeedTestPayloadPath = "/speedtest/payload.bin";

// Reads the [hosts] section of the file; a value without "://" gets "http://".
ServiceHosts LoadServiceHosts(const std::wstring& iniPath);
ServiceHosts LoadServiceHostsBesideProgram();
std::wstring ServiceHostsPathBesideProgram();

// A base address and a fixed path with query; "" when the base address is not configured.
std::string ServiceUrl(const std::string& base, const char* pathAndQuery);
