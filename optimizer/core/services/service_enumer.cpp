#include "optimizer/core/services/service_enumer.h"

#include <algorithm>
#include <iterator>

#include "optimizer/core/services/service_catalogue.h"
#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_messages.h"

namespace {

constexpr DWORD kPauseBetweenServicesMs = 5;  // keeps a sweep from flooding the window's queue

// The largest configuration and description the Service Control Manager hands out is 8 KB, so one call
// with a buffer of that size fetches each; only a larger answer falls back to asking for its size.
constexpr DWORD kConfigBytes = 8 * 1024;

// Fetches with `query(buffer, size, &needed)` into `buffer`, growing it once when it is too small.
template <typename Query>
bool QueryInto(std::vector<BYTE>& buffer, Query query) {
    DWORD needed = 0;
    if (query(buffer.data(), static_cast<DWORD>(buffer.size()), &needed))
        return true;
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    buffer.assign(needed + 1, 0);
    return query(buffer.data(), needed, &needed) != FALSE;
}

std::wstring QueryDescription(SC_HANDLE service, std::vector<BYTE>& buffer) {
    std::fill(buffer.begin(), buffer.end(), 0);
    const bool read = QueryInto(buffer, [service](BYTE* data, DWORD size, DWORD* needed) {
        return ::QueryServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, data, size, needed);
    });
    if (!read) return {};
    const auto* info = reinterpret_cast<const SERVICE_DESCRIPTIONW*>(buffer.data());
    return info->lpDescription ? std::wstring(info->lpDescription) : std::wstring();
}

// A service whose configuration cannot be read is left out of the snapshot.
bool ConfigReadable(SC_HANDLE service, std::vector<BYTE>& buffer) {
    return QueryInto(buffer, [service](BYTE* data, DWORD size, DWORD* needed) {
        return ::QueryServiceConfigW(service, reinterpret_cast<QUERY_SERVICE_CONFIGW*>(data), size, needed);
    });
}

}  // namespace

int SweepPercent(int n, int listedRunning, int listedCount) {
    int divisor = listedRunning != 0 ? listedRunning : listedCount;
    if (divisor <= 0) divisor = 1;
    const int percent = n * 100 / divisor;
    return percent >= 100 ? 92 : percent;
}

CServiceEnumer::CServiceEnumer() : m_catalogue(ServiceCatalogueText()) {
    // Matching compares upper-cased texts; the sweeps upper-case again, which changes nothing.
    UpperCaseInPlace(m_catalogue);
}

CServiceEnumer& CServiceEnumer::Instance() {
    // Never destroyed: the worker may still be in a sweep when the program ends the process.
    static CServiceEnumer* const instance = new CServiceEnumer();
    return *instance;
}

bool CServiceEnumer::Refresh() {
    AutoScHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return false;

    // One call fetches the whole list into a buffer of the usual size; several rounds only when the list
    // is larger, or grows between the calls.
    std::vector<BYTE> buffer(64 * 1024);
    std::vector<BYTE> config(kConfigBytes), description(kConfigBytes);
    std::vector<AutoScHandle> opened;
    DWORD resume = 0;
    for (;;) {
        DWORD needed = 0;
        DWORD returned = 0;
        auto* entries = reinterpret_cast<ENUM_SERVICE_STATUSW*>(buffer.data());
        const BOOL complete = ::EnumServicesStatusW(manager.Get(), SERVICE_WIN32, SERVICE_STATE_ALL, entries,
                                                    static_cast<DWORD>(buffer.size()), &needed, &returned, &resume);
        if (!complete && ::GetLastError() != ERROR_MORE_DATA) break;
        for (DWORD i = 0; i < returned; ++i) {
            AutoScHandle service(
                ::OpenServiceW(manager.Get(), entries[i].lpServiceName, SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
            if (!service) continue;
            if (ConfigReadable(service.Get(), config)) {
                ServiceRecord record;
                record.state = entries[i].ServiceStatus.dwCurrentState;
                record.name = entries[i].lpServiceName;
                record.description = QueryDescription(service.Get(), description);
                ::OutputDebugStringW((record.name + L"\r\n").c_str());
                m_services.push_back(std::move(record));
            }
            opened.push_back(std::move(service));  // closed later: each close is a round trip
        }
        if (complete) break;
        if (returned == 0) buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
    }
    opened.push_back(std::move(manager));
    std::lock_guard<std::mutex> hold(m_snapshotHandlesLock);
    std::move(opened.begin(), opened.end(), std::back_inserter(m_snapshotHandles));
    return !m_services.empty();
}

void CServiceEnumer::CloseSnapshotHandles() {
    std::vector<AutoScHandle> closing;
    {
        std::lock_guard<std::mutex> hold(m_snapshotHandlesLock);
        closing.swap(m_snapshotHandles);
    }
}  // closed here, outside the lock

bool CServiceEnumer::IsListed(const ServiceRecord& record) {
    return IsListedService(m_catalogue, record.name, record.description);
}

int CServiceEnumer::CountListed() {
    m_listedCount = 0;
    m_listedRunning = 0;
    m_totalRunning = 0;
    m_alreadyStopped.clear();
    UpperCaseInPlace(m_catalogue);
    for (const ServiceRecord& record : m_services) {
        if (record.state == SERVICE_RUNNING) ++m_totalRunning;
        if (!IsListed(record)) continue;
        ++m_listedCount;
        if (record.state == SERVICE_RUNNING) {
            ++m_listedRunning;
        } else if (record.state == SERVICE_STOPPED) {
            m_alreadyStopped += record.name;
        }
    }
    return m_listedCount;
}

void CServiceEnumer::Post(UINT message, int percent) const {
    ::PostMessageW(m_owner, message, 0, percent);
}

void CServiceEnumer::StopListed() {
    UpperCaseInPlace(m_catalogue);
    UpperCaseInPlace(m_alreadyStopped);
    Post(WM_SVC_STOP_PROGRESS, 1);
    int n = 0;
    SweepOutcome outcome;
    for (const ServiceRecord& record : m_services) {
        if (!IsListed(record) || record.state != SERVICE_RUNNING) continue;
        ++n;
        Post(WM_SVC_STOP_PROGRESS, SweepPercent(n, m_listedRunning, m_listedCount));
        // Journalled before the stop is sent, so a run that dies during the wait still names it. A name an
        // earlier sweep journalled stays: a second boost finds that service already stopped, and removing
        // it here would leave it stopped for good after a crash.
        const bool journalledHere = !m_journal.Contains(record.name) && m_journal.Add(record.name);
        const StopOutcome stop = StopServiceWithOutcome(record.name);
        if (stop == StopOutcome::kStoppedByUs) {
            ++outcome.stopped;
        } else if (journalledHere) {
            m_journal.Remove(record.name);
        }
        outcome.refused |= stop == StopOutcome::kRefused;
        ::Sleep(kPauseBetweenServicesMs);
    }
    ::PostMessageW(m_owner, WM_SVC_STOP_DONE, 0, SweepDoneParam(outcome));
}

void CServiceEnumer::StartListed() {
    UpperCaseInPlace(m_catalogue);
    // As the boost does: a restore before any boost must still skip what was stopped before this run.
    UpperCaseInPlace(m_alreadyStopped);
    Post(WM_SVC_START_PROGRESS, 1);
    int n = 0;
    for (const ServiceRecord& record : m_services) {
        if (!IsListed(record)) continue;
        std::wstring upperName = record.name;
        UpperCaseInPlace(upperName);
        if (m_alreadyStopped.find(upperName) != std::wstring::npos) continue;
        ++n;
        Post(WM_SVC_START_PROGRESS, SweepPercent(n, m_listedRunning, m_listedCount));
        // Only a service that runs again leaves the journal: one that cannot start is retried next start.
        if (StartSettlesJournal(StartServiceWithOutcome(record.name))) m_journal.Remove(record.name);
        ::Sleep(kPauseBetweenServicesMs);
    }
    Post(WM_SVC_START_DONE, 0);
}

void CServiceEnumer::ReplayJournal() {
    const std::vector<std::wstring> names = m_journal.Read();
    if (names.empty()) return;
    for (const std::wstring& name : names) {
        const StartOutcome start = StartServiceWithOutcome(name);
        if (!StartSettlesJournal(start)) continue;  // stays journalled for the next start
        m_journal.Remove(name);
        if (start == StartOutcome::kMissing) continue;
        // The snapshot was taken while it was still stopped: count it as running, so this run's boost
        // stops it and its restore starts it again.
        for (ServiceRecord& record : m_services) {
            if (SameServiceName(record.name, name)) record.state = SERVICE_RUNNING;
        }
    }
    CountListed();
}
