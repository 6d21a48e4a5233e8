#include "updater/config/product_key.h"

#include "common/client_identity.h"
#include "common/handles.h"
#include "common/identity_query.h"
#include "common/registry_text.h"

namespace {
// The product's values are short texts; anything this long is treated as absent rather than trusted.
constexpr DWORD kValueBufferBytes = 128;
}  // namespace

ProductKey SplitProductKey(const std::string& text) {
    ProductKey key;
    const size_t slash = text.find('\\');
    if (slash == std::string::npos)
        return key;
    const std::string root = text.substr(0, slash);
    if (root == "HKEY_CURRENT_USER") {
        key.root = HKEY_CURRENT_USER;
    } else if (root == "HKEY_LOCAL_MACHINE") {
        key.root = HKEY_LOCAL_MACHINE;
    } else if (root == "HKEY_USERS") {
        key.root = HKEY_USERS;
    } else {
        return key;
    }
    key.subKey = text.substr(slash + 1);
    return key;
}

bool ReadProductValue(const ProductKey& key, const std::string& name, std::string* value) {
    value->clear();
    if (!key.root)
        return false;
    HKEY raw = nullptr;
    // Full access on purpose: a machine-wide key the user may not write reads as missing.
    if (::RegOpenKeyExA(key.root, key.subKey.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS)
        return false;
    AutoRegKey opened(raw);
    char buffer[kValueBufferBytes + 1] = {};
    DWORD type = 0, bytes = kValueBufferBytes;
    if (::RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
        ERROR_SUCCESS)
        return false;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes >= kValueBufferBytes)
        return false;
    buffer[bytes] = '\0';  // values stored without a terminator come back without one
    value->assign(buffer);
    return true;
}

std::string ReadProductText(const ProductKey& key, const std::string& name) {
    std::string value;
    ReadProductValue(key, name, &value);
    return value;
}

std::string GetOrCreateIdentity(const ProductKey& key) {
    std::string identity = ReadProductText(key, "uuid");
    if (!identity.empty())
        return identity;
    identity = GenerateIdentity();
    if (key.root)
        WriteRegistryText(key.root, key.subKey, "uuid", identity);
    return identity;
}

std::string AppendUpdaterIdentityQuery(const std::string& url, const ProductKey& key) {
    // The updater never looks up its public address.
    return BuildIdentityQuery(url, GetOrCreateIdentity(key), "127.0.0.1", ReadProductText(key, "version"),
                              ReadProductText(key, "pkgname"));
}
