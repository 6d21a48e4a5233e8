// The client's public IP address as the maker's IP service reports it, cached in the temporary
// folder and never refreshed. Blocks the calling thread for up to 5 s; failure gives "".
#pragma once
#include <string>

std::wstring PublicIpCachePath();  // temporary folder + "get_public_ip_address.tmp"

// Returns the cache file's content when not empty; otherwise downloads serviceUrl into it.
// A failed lookup deletes the cache file.
std::string PublicIpAddress(const std::string& serviceUrl, const std::wstring& cachePath);

// The IP service of service_hosts.ini with the default cache file.
std::string PublicIpAddress();
