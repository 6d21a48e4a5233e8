// The snapshot of installed services, the counters of listed services and the two sweeps.
// Refresh and CountListed run on the main window's thread before the worker exists; afterwards only the
// service worker touches the object. Failures of single services are skipped, never reported.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "common/handles.h"
#include "optimizer/core/services/service_journal.h"

struct ServiceRecord {
    DWORD state = 0;          // dwCurrentState seen at enumeration; never refreshed
    std::wstring name;        // key name
    std::wstring description; // empty when the service has none
};

// Percentage posted for the n-th service of a sweep: divided by the listed running count (the listed
// count when none was running), and never shown as 100 or more before the sweep is done.
int SweepPercent(int n, int listedRunning, int listedCount);

class CServiceEnumer {
public:
    CServiceEnumer();
    virtual ~CServiceEnumer() = default;
    CServiceEnumer(const CServiceEnumer&) = delete;
    CServiceEnumer& operator=(const CServiceEnumer&) = delete;

    // The process-wide instance, created on first use and kept until the process ends.
    static CServiceEnumer& Instance();

    bool Refresh();             // appends the installed services; true when the snapshot is not empty
    // Closes the handles Refresh leaves open: each close is a round trip to the service manager, which
    // the main window's creation need not wait for. The worker closes them once the window has painted.
    void CloseSnapshotHandles();
    int CountListed();          // fills the counters and m_alreadyStopped; returns m_listedCount
    void StopListed();          // boost sweep: posts progress, then done with its SweepOutcome, to m_owner
    // Restore sweep: posts progress and done to m_owner; each service that runs again leaves the journal.
    void StartListed();
    // Starts what a previous run's boost left stopped (the journal), marks those records running and
    // counts again; a service that does not start stays journalled. The worker's first job.
    void ReplayJournal();
    bool IsListed(const ServiceRecord& record);

    HWND m_owner = nullptr;            // not owned; receives the sweep messages
    std::wstring m_catalogue;
    std::wstring m_alreadyStopped;     // listed key names seen stopped when counted, no separator
    int m_listedCount = 0;
    int m_listedRunning = 0;
    int m_totalRunning = 0;
    std::vector<ServiceRecord> m_services;
    CServiceJournal m_journal;         // services this run's boost stopped

private:
    std::mutex m_snapshotHandlesLock;  // Refresh and the worker may meet here when a test starts both
    std::vector<AutoScHandle> m_snapshotHandles;  // the manager's and every service's Refresh opened
    void Post(UINT message, int percent) const;
};
