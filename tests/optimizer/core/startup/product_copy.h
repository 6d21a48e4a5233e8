// A copy of the built product folder in a temporary folder, for tests that run the real Sorvik.exe: the
// test skin when the product has no skin yet, the updater's stand-in, and deployment settings that point
// every web service at loopback. Deleted with its contents afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "common/handles.h"
#include "tests/support/product_windows.h"

class ProductCopy {
public:
    ProductCopy();
    ~ProductCopy();
    ProductCopy(const ProductCopy&) = delete;
    ProductCopy& operator=(const ProductCopy&) = delete;

    const std::wstring& Folder() const { return m_folder; }  // ends in a backslash
    bool Complete() const { return m_complete; }
    // Rewrites "service_hosts.ini": statistics and ip at `base`, the speed-test payload at `speedTest`
    // (empty: closed), the other services at a closed port.
    void PointServicesAt(const std::string& base, const std::string& speedTest = "");
    bool Remove(const std::wstring& file);

    // Starts Sorvik.exe with `arguments` (none for a normal start); empty on failure.
    AutoHandle Start(const std::wstring& arguments = L"") const;
    // Starts it and waits (bounded) for the exit code; -1 when it did not end in time.
    DWORD RunToExit(const std::wstring& arguments, DWORD timeoutMs = 30000) const;

private:
    std::wstring m_folder;
    bool m_complete = false;
};
