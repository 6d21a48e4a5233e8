// The optimizer's statistics requests: identity query appended, sent once, outcome dropped.
// Blocks the calling thread (public IP lookup up to 5 s, request up to 8 s); meant for a worker thread.
#pragma once
#include <string>

// Under HKEY_CURRENT_USER\SOFTWARE\VarnioWorks\<productKeyName>, with the given IP text.
bool SendStatisticsWithIp(const std::string& productKeyName, const std::string& requestUrl, const std::string& ip);
// With the public IP address as IP text.
void SendStatistics(const std::string& productKeyName, const std::string& requestUrl);

std::string InstallStatisticsUrl(const std::string& statisticsBase);
std::string ActivityStatisticsUrl(const std::string& statisticsBase);
