#include "optimizer/core/services/service_journal.h"

#include <windows.h>

#include <algorithm>

#include "common/handles.h"
#include "optimizer/core/services/service_control.h"

bool SameServiceName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring JoinMultiString(const std::vector<std::wstring>& names) {
    std::wstring data;
    for (const std::wstring& name : names) {
        if (name.empty()) continue;  // an empty entry would end the list early
        data += name;
        data += L'\0';
    }
    data += L'\0';
    return data;
}

std::vector<std::wstring> SplitMultiString(const wchar_t* data, size_t length) {
    std::vector<std::wstring> names;
    size_t start = 0;
    for (size_t i = 0; i <= length; ++i) {
        if (i == length || data[i] == L'\0') {
            if (i == start) break;  // the empty entry that ends the list
            names.emplace_back(data + start, i - start);
            start = i + 1;
        }
    }
    return names;
}

std::vector<std::wstring> CServiceJournal::Read() const {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return {};
    AutoRegKey key(raw);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.Get(), kValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || bytes == 0) {
        return {};
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    return SplitMultiString(data.c_str(), bytes / sizeof(wchar_t));
}

bool CServiceJournal::Write(const std::vector<std::wstring>& names) const {
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    AutoRegKey key(raw);
    if (names.empty()) {
        LONG rc = ::RegDeleteValueW(key.Get(), kValueName);
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring data = JoinMultiString(names);
    return ::RegSetValueExW(key.Get(), kValueName, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool CServiceJournal::Contains(const std::wstring& name) const {
    const std::vector<std::wstring> names = Read();
    return std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return SameServiceName(n, name); });
}

bool CServiceJournal::Add(const std::wstring& name) {
    std::vector<std::wstring> names = Read();
    auto same = [&](const std::wstring& n) { return SameServiceName(n, name); };
    if (std::any_of(names.begin(), names.end(), same)) return true;
    names.push_back(name);
    return Write(names);
}

bool CServiceJournal::Remove(const std::wstring& name) {
    std::vector<std::wstring> names = Read();
    auto same = [&](const std::wstring& n) { return SameServiceName(n, name); };
    auto end = std::remove_if(names.begin(), names.end(), same);
    if (end == names.end()) return true;
    names.erase(end, names.end());
    return Write(names);
}

bool CServiceJournal::Clear() { return Write({}); }

void RestartJournalledServices(CServiceJournal& journal) {
    for (const std::wstring& name : journal.Read()) {
        if (StartSettlesJournal(StartServiceWithOutcome(name))) journal.Remove(name);
    }
}
