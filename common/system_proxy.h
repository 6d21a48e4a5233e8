// The system (Internet Explorer) proxy as host and port texts.
// Any thread; "no proxy" is a false result with both texts left empty.
#pragma once
#include <string>

namespace curl_space {

// Picks the HTTP proxy out of a proxy list such as "10.0.0.1:8080 other:1" or "http=a:1;https=b:2".
bool ParseProxyList(const std::string& list, std::string* host, std::string* port);

// Asks WinINet for the current proxy list and parses it.
bool QuerySystemProxy(std::string* host, std::string* port);

}  // namespace curl_space
