// The product's registry key as the configuration names it ("HKEY_CURRENT_USER\SOFTWARE\..."), and the
// updater's rules for its string values: the key is opened with full access and a value of 128 bytes
// or more counts as missing. Any thread; every failure reads as a missing value, never an error.
#pragma once
#include <windows.h>

#include <string>

struct ProductKey {
    HKEY root = nullptr;  // null when the text names no root the updater knows: every value is missing
    std::string subKey;
};

// Splits at the first backslash; the root must be spelt out exactly ("HKCU" reads nothing).
ProductKey SplitProductKey(const std::string& text);

// A REG_SZ (or REG_EXPAND_SZ, unexpanded) value of fewer than 128 bytes; false when missing.
bool ReadProductValue(const ProductKey& key, const std::string& name, std::string* value);
// The value, or "" when missing.
std::string ReadProductText(const ProductKey& key, const std::string& name);

// "uuid" under the key; generated and stored when missing (a failed store still yields the identity).
std::string GetOrCreateIdentity(const ProductKey& key);
// `url` with uuid, ip "127.0.0.1", version and pkgname of the key appended.
std::string AppendUpdaterIdentityQuery(const std::string& url, const ProductKey& key);
