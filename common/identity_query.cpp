#include "common/identity_query.h"

#include "common/client_identity.h"
#include "common/registry_text.h"
#include "common/text_encoding.h"

std::string IdentitySeparator(const std::string& url) {
    if (url.find('?') == std::string::npos) return "?uuid=";
    if (url.find('&') != std::string::npos) return "&uuid=";
    if (url.back() == '?') return "uuid=";
    return "&uuid=";
}

std::string BuildIdentityQuery(const std::string& url, const std::string& identity, const std::string& ip,
                               const std::string& version, const std::string& packageName) {
    // The portable edition has no installer to record a package name.
    const std::string package = packageName.empty() ? WideToUtf8(L"绿色版") : packageName;
    return url + IdentitySeparator(url) + identity + "&ip=" + ip + "&version=" +
           (version.empty() ? std::string("1.0.0.1") : version) + "&pkgname=" + package;
}

std::string AppendIdentityQuery(const std::string& url, HKEY root, const std::string& subKey, const std::string& ip) {
    const std::string identity = GetOrCreateIdentity(root, subKey);
    return BuildIdentityQuery(url, identity, ip, ReadRegistryText(root, subKey, "version"),
                              ReadRegistryText(root, subKey, "pkgname"));
}
