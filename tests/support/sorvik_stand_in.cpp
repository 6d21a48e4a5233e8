// A stand-in for a running Sorvik.exe in the installer tests, built under that very file name. It keeps
// running like the optimizer does, answers the "update" command line as the optimizer does, and can
// leave a service stopped the way game mode does:
//   update             end every other running Sorvik.exe and exit with 1
//   --boost <service>  record the service in the crash journal and stop it, then keep running
// Without "update" it runs until it is ended, at most two minutes, so a failed test leaves nothing behind.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "installer/helper/product_processes.h"
#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_journal.h"

namespace {

constexpr DWORD kLifetimeMs = 120000;

void EnterGameMode(const std::wstring& service) {
    CServiceJournal journal;
    journal.Add(service);
    if (StopServiceWithOutcome(service) != StopOutcome::kStoppedByUs)
        journal.Remove(service);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    if (std::wstring(commandLine) == L"update") {
        EndPrograms(RunningPrograms(L"Sorvik.exe"), 0);
        return 1;
    }
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (std::wstring(argv[i]) == L"--boost")
            EnterGameMode(argv[i + 1]);
    }
    if (argv)
        ::LocalFree(argv);
    ::Sleep(kLifetimeMs);
    return 0;
}
