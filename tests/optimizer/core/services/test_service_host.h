// Installs the test service program in the Wine prefix's Service Control Manager for one test and removes
// it again. Names carry this process id so leftovers of an earlier run never collide.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CServiceEnumer;

// The tests' journals live below this key; each test removes it when done.
constexpr const wchar_t* kTestKeysRoot = L"SOFTWARE\\VarnioWorks\\SorvikTests";

// Windows path of the test service program (built beside the tests, reached through drive Z:).
std::wstring TestServiceProgram();

// base + "_" + this process id.
std::wstring UniqueServiceName(const std::wstring& base);

class CTestService {
public:
    // args follow the program in the binary path, e.g. L"--stop-pending 600".
    CTestService(std::wstring name, const std::wstring& description = L"", const std::wstring& args = L"");
    ~CTestService();  // stops the service (ending its process if it will not stop) and deletes it
    CTestService(const CTestService&) = delete;
    CTestService& operator=(const CTestService&) = delete;

    const std::wstring& Name() const { return m_name; }
    bool Installed() const { return m_installed; }
    bool StartRunning();        // start and wait (bounded) until it runs
    bool RequestStop();         // sends the stop control without waiting
    DWORD State() const;        // 0 when it cannot be queried
    bool WaitForState(DWORD state, DWORD timeoutMs) const;

private:
    std::wstring m_name;
    bool m_installed = false;
};

// Refuses one kind of Service Control Manager call with ERROR_ACCESS_DENIED, as a machine does for a
// program without administrator rights, until destroyed. Set only while no sweep runs.
enum class RefusedCall { kManager, kService, kControlOrStart };
class CRefusedRights {
public:
    explicit CRefusedRights(RefusedCall call);
    ~CRefusedRights();
    CRefusedRights(const CRefusedRights&) = delete;
    CRefusedRights& operator=(const CRefusedRights&) = delete;
};

// Keeps only the records of the named services, so that a sweep never touches Wine's own services.
void KeepOnlyServices(CServiceEnumer& services, const std::vector<std::wstring>& names);
