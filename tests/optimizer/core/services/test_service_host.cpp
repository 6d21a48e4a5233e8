#include "tests/optimizer/core/services/test_service_host.h"

#include <algorithm>

#include "optimizer/core/services/serv_handle.h"
#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_enumer.h"

// The program path arrives from the build as a narrow literal.
#define SORVIK_WIDEN2(x) L##x
#define SORVIK_WIDEN(x) SORVIK_WIDEN2(x)

namespace {

SERVICE_STATUS_PROCESS QueryStatus(const std::wstring& name) {
    SERVICE_STATUS_PROCESS status = {};
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) return status;
    CServHandle service(::OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS));
    DWORD needed = 0;
    if (service) {
        ::QueryServiceStatusEx(service.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof(status),
                               &needed);
    }
    return status;
}

bool SendStop(const std::wstring& name) {
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    CServHandle service(manager ? ::OpenServiceW(manager.Get(), name.c_str(), SERVICE_STOP) : nullptr);
    SERVICE_STATUS status = {};
    return service && ::ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
}

SC_HANDLE WINAPI RefuseManager(LPCWSTR, LPCWSTR, DWORD) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}
SC_HANDLE WINAPI RefuseService(SC_HANDLE, LPCWSTR, DWORD) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}
BOOL WINAPI RefuseControl(SC_HANDLE, DWORD, LPSERVICE_STATUS) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
BOOL WINAPI RefuseStart(SC_HANDLE, DWORD, LPCWSTR*) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

}  // namespace

CRefusedRights::CRefusedRights(RefusedCall call) {
    ServiceManagerCalls& calls = ServiceCalls();
    if (call == RefusedCall::kManager) calls.openManager = RefuseManager;
    if (call == RefusedCall::kService) calls.openService = RefuseService;
    if (call == RefusedCall::kControlOrStart) {
        calls.controlService = RefuseControl;
        calls.startService = RefuseStart;
    }
}

CRefusedRights::~CRefusedRights() { ServiceCalls() = ServiceManagerCalls(); }

std::wstring TestServiceProgram() {
    std::wstring path = L"Z:" SORVIK_WIDEN(SORVIK_TEST_SERVICE_PATH);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring UniqueServiceName(const std::wstring& base) {
    return base + L"_" + std::to_wstring(::GetCurrentProcessId());
}

CTestService::CTestService(std::wstring name, const std::wstring& description, const std::wstring& args)
    : m_name(std::move(name)) {
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) return;
    const std::wstring binary = L"\"" + TestServiceProgram() + L"\" " + args;
    CServHandle service(::CreateServiceW(manager.Get(), m_name.c_str(), m_name.c_str(), SERVICE_ALL_ACCESS,
                                         SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE,
                                         binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service) return;
    m_installed = true;
    if (!description.empty()) {
        std::wstring text = description;
        SERVICE_DESCRIPTIONW info = {&text[0]};
        ::ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_DESCRIPTION, &info);
    }
}

CTestService::~CTestService() {
    if (!m_installed) return;
    // A service still starting accepts no stop: give it time to run, then stop it; end it as a last resort.
    if (State() == SERVICE_START_PENDING) WaitForState(SERVICE_RUNNING, 15000);
    if (State() != SERVICE_STOPPED) {
        SendStop(m_name);
        if (!WaitForState(SERVICE_STOPPED, 15000)) {
            const DWORD pid = QueryStatus(m_name).dwProcessId;
            HANDLE process = pid ? ::OpenProcess(PROCESS_TERMINATE, FALSE, pid) : nullptr;
            if (process) {
                ::TerminateProcess(process, 1);
                ::CloseHandle(process);
            }
            WaitForState(SERVICE_STOPPED, 5000);
        }
    }
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    CServHandle service(manager ? ::OpenServiceW(manager.Get(), m_name.c_str(), DELETE) : nullptr);
    if (service) ::DeleteService(service.Get());
}

bool CTestService::StartRunning() {
    CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    CServHandle service(manager ? ::OpenServiceW(manager.Get(), m_name.c_str(), SERVICE_START) : nullptr);
    if (!service || !::StartServiceW(service.Get(), 0, nullptr)) return false;
    return WaitForState(SERVICE_RUNNING, 15000);
}

bool CTestService::RequestStop() { return SendStop(m_name); }

DWORD CTestService::State() const { return QueryStatus(m_name).dwCurrentState; }

bool CTestService::WaitForState(DWORD state, DWORD timeoutMs) const {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (State() == state) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(50);
    }
}

void KeepOnlyServices(CServiceEnumer& services, const std::vector<std::wstring>& names) {
    auto unwanted = [&](const ServiceRecord& record) {
        return std::find(names.begin(), names.end(), record.name) == names.end();
    };
    services.m_services.erase(std::remove_if(services.m_services.begin(), services.m_services.end(), unwanted),
                              services.m_services.end());
}
