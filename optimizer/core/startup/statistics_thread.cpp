#include "optimizer/core/startup/statistics_thread.h"

#include <windows.h>

#include <memory>

#include "common/handles.h"
#include "common/registry_text.h"
#include "common/service_hosts.h"
#include "common/statistics.h"
#include "common/text_encoding.h"
#include "optimizer/core/startup/updater_launch.h"

using namespace install_record;

namespace {

struct StatisticsStart {
    std::wstring folder;
    AutoHandle begin;  // the thread's own handle of the caller's event; null: no wait
};

DWORD WINAPI StatisticsThread(void* param) {
    std::unique_ptr<StatisticsStart> start(static_cast<StatisticsStart*>(param));
    if (start->begin)
        ::WaitForSingleObject(start->begin.Get(), kStatisticsWaitMs);
    RunStatistics(start->folder);
    return 0;
}

}  // namespace

bool InstallRecordOutdated(const std::string& recordedVersion) {
    return recordedVersion != kVersion;
}

void RunStatistics(const std::wstring& folder) {
    const ServiceHosts hosts = LoadServiceHosts(folder + L"service_hosts.ini");
    if (InstallRecordOutdated(ReadRegistryText(HKEY_CURRENT_USER, kProductKey, "version"))) {
        WriteRegistryText(HKEY_CURRENT_USER, kProductKey, "version", kVersion, REG_EXPAND_SZ);
        WriteRegistryText(HKEY_CURRENT_USER, kProductKey, "path", WideToAnsi(folder), REG_EXPAND_SZ);
        WriteRegistryText(HKEY_CURRENT_USER, kProductKey, "pkgname", kPackageName, REG_EXPAND_SZ);
        SendStatistics(kProductName, InstallStatisticsUrl(hosts.statistics));
    }
    SendStatistics(kProductName, ActivityStatisticsUrl(hosts.statistics));
    AutoHandle updater(LaunchUpdater(folder, false));
}

bool StartStatisticsThread(const std::wstring& folder, HANDLE begin) {
    auto start = std::make_unique<StatisticsStart>();
    start->folder = folder;
    start->begin = DuplicateOwn(begin);
    AutoHandle thread(::CreateThread(nullptr, 0, StatisticsThread, start.get(), 0, nullptr));
    if (thread)
        start.release();  // the thread's now
    return static_cast<bool>(thread);
}
