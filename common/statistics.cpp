#include "common/statistics.h"

#include "common/curl_transfer.h"
#include "common/identity_query.h"
#include "common/public_ip.h"
#include "common/service_hosts.h"

#include <windows.h>

bool SendStatisticsWithIp(const std::string& productKeyName, const std::string& requestUrl, const std::string& ip) {
    const std::string url = AppendIdentityQuery(requestUrl, HKEY_CURRENT_USER, "SOFTWARE\\VarnioWorks\\" + productKeyName, ip);
    curl_space::CurlRequestScope request;
    CURL* handle = request.Handle();
    // The simple request sets its own 8 s time-outs over this one.
    curl_space::SetConnectTimeout(handle, 60);
    curl_space::ApplySystemProxy(handle);
    return curl_space::SimpleRequest(handle, url);
}

void SendStatistics(const std::string& productKeyName, const std::string& requestUrl) {
    SendStatisticsWithIp(productKeyName, requestUrl, PublicIpAddress());
}

std::string InstallStatisticsUrl(const std::string& statisticsBase) {
    return ServiceUrl(statisticsBase, "/softwareinstall.do?soft_id=1&do=statinst&act=inst&source=1");
}

std::string ActivityStatisticsUrl(const std::string& statisticsBase) {
    return ServiceUrl(statisticsBase, "/softwareactive.do?soft_id=1");
}
