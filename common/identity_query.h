// The parameters every request to the maker's services carries: uuid, ip, version and pkgname,
// appended to a URL without percent-encoding. Any thread.
#pragma once
#include <windows.h>

#include <string>

// "?uuid=", "&uuid=" or "uuid=", chosen by the URL's existing query.
std::string IdentitySeparator(const std::string& url);

// Empty version and package name give "1.0.0.1" and the UTF-8 bytes of "绿色版".
std::string BuildIdentityQuery(const std::string& url, const std::string& identity, const std::string& ip,
                               const std::string& version, const std::string& packageName);

// Reads "version" and "pkgname" under the key and gets or creates the identity there.
std::string AppendIdentityQuery(const std::string& url, HKEY root, const std::string& subKey, const std::string& ip);
