#include "tests/optimizer/core/services/crash_child.h"

#include <windows.h>

#include <string>
#include <vector>

#include "optimizer/core/services/service_enumer.h"
#include "tests/optimizer/core/services/test_service_host.h"

int RunCrashChild(int argc, wchar_t** argv) {
    if (argc < 5) return 2;
    CServiceEnumer services;
    services.m_journal = CServiceJournal(argv[3]);
    services.Refresh();
    KeepOnlyServices(services, std::vector<std::wstring>(argv + 4, argv + argc));
    services.CountListed();
    services.StopListed();  // no owner window: the progress goes to this thread's queue, unread

    HANDLE boosted = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (boosted) ::SetEvent(boosted);
    ::Sleep(120000);  // in game mode until the parent kills this process
    return 3;
}
