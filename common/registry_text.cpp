#include "common/registry_text.h"

#include "common/handles.h"

std::string ReadRegistryText(HKEY root, const std::string& subKey, const std::string& name) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return {};
    AutoRegKey key(raw);
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return {};
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0) return {};
    std::string value(bytes, '\0');
    if (::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &bytes) !=
        ERROR_SUCCESS)
        return {};
    // Values written without their terminator come back without one; others end in one or more zeros.
    value.resize(bytes < value.size() ? bytes : value.size());
    size_t end = value.find('\0');
    if (end != std::string::npos) value.resize(end);
    return value;
}

bool WriteRegistryText(HKEY root, const std::string& subKey, const std::string& name, const std::string& value,
                       DWORD type) {
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        return false;
    AutoRegKey key(raw);
    return ::RegSetValueExA(key.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.data()),
                            static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}
