// The crash journal: key names of the services a boost stopped, kept in the product's registry key
// until a restore finishes, so that a run ending in game mode cannot leave them stopped for good.
// Any thread; every failure leaves the journal as it was and returns false or an empty list.
#pragma once
#include <string>
#include <vector>

class CServiceJournal {
public:
    static constexpr const wchar_t* kProductKey = L"SOFTWARE\\VarnioWorks\\Sorvik";
    static constexpr const wchar_t* kValueName = L"boost_stopped";

    // The journal lives in HKEY_CURRENT_USER under keyPath.
    explicit CServiceJournal(std::wstring keyPath = kProductKey) : m_keyPath(std::move(keyPath)) {}

    std::vector<std::wstring> Read() const;
    bool Contains(const std::wstring& name) const;  // key names ignore case
    bool Add(const std::wstring& name);     // no duplicates (key names ignore case)
    bool Remove(const std::wstring& name);
    bool Clear();

private:
    bool Write(const std::vector<std::wstring>& names) const;
    std::wstring m_keyPath;
};

// Starts every service the journal names; those that run again leave it (outside a running optimizer,
// such as an installer; the optimizer itself replays its journal on the service worker).
void RestartJournalledServices(CServiceJournal& journal);

// Key names of services compare without regard to case.
bool SameServiceName(const std::wstring& a, const std::wstring& b);

// The REG_MULTI_SZ payload for names (each followed by a zero, then one more), and back.
std::wstring JoinMultiString(const std::vector<std::wstring>& names);
std::vector<std::wstring> SplitMultiString(const wchar_t* data, size_t length);
