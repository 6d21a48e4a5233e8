// A product key of its own under HKEY_CURRENT_USER\SOFTWARE\VarnioWorks for one test, deleted afterwards.
#pragma once
#include <windows.h>

#include <string>

class RegistrySandbox {
public:
    RegistrySandbox()
        : m_name("CommonTest" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(s_next++)),
          m_subKey("SOFTWARE\\VarnioWorks\\" + m_name) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, m_subKey.c_str());
    }
    ~RegistrySandbox() { ::RegDeleteKeyA(HKEY_CURRENT_USER, m_subKey.c_str()); }
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    const std::string& ProductName() const { return m_name; }  // the key name below VarnioWorks
    const std::string& SubKey() const { return m_subKey; }

    // Written with a terminator, as most writers do.
    void Set(const std::string& name, const std::string& value, DWORD type = REG_SZ) const {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(key);
    }

private:
    static inline int s_next = 0;
    std::string m_name;
    std::string m_subKey;
};
