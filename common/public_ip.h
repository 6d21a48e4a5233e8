// The client's public IP address as the maker's IP service reports it, cached in the temporary
// folder and never refreshed. Blocks the calling thread for up to 5 s; failure gives "".
// Only an address is ever returned: surrounding white space is trimmed, anything else is refused.
#pragma once
#include <string>

std::wstring PublicIpCachePath();  // temporary folder + "get_public_ip_address.tmp"

// The address in a service answer or cache file without surrounding white space; "" when the text
// holds no IPv4 or IPv6 address. Pure.
std::string AddressFromAnswer(const std::string& text);

// Returns the cached address; when the cache holds none, downloads serviceUrl into it.
// A failed lookup, or an answer that is not an address, deletes the cache file.
std::string PublicIpAddress(const std::string& serviceUrl, const std::wstring& cachePath);

// The IP service of service_hosts.ini with the default cache file.
std::string PublicIpAddress();
