#include "updater/install/installer_run.h"

#include "common/handles.h"

#include <shellapi.h>

bool IsLauncherProcess(HANDLE launcher) {
    // Negative values are pseudo handles (-1 is this very process): waiting on or ending them would end
    // the updater itself. A launcher's handle may carry terminate access only, so a failed query (0) is
    // no reason to refuse it.
    if (reinterpret_cast<INT_PTR>(launcher) <= 0)
        return false;
    return ::GetProcessId(launcher) != ::GetCurrentProcessId();
}

void EndLauncher(HANDLE launcher) {
    if (!IsLauncherProcess(launcher))
        return;
    if (::WaitForSingleObject(launcher, kLauncherWaitMs) != WAIT_OBJECT_0)
        ::TerminateProcess(launcher, static_cast<UINT>(-2));
}

InstallerRun RunInstaller(const std::wstring& path, const std::atomic<long>& cancel) {
    SHELLEXECUTEINFOW info = {sizeof(info)};
    // The updater reports a failed start in its own words, so the shell shows no error box.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info))
        return InstallerRun::kCannotStart;
    if (!info.hProcess)
        return InstallerRun::kFinished;
    AutoHandle process(info.hProcess);
    for (;;) {
        if (cancel.load() != 0) {
            ::TerminateProcess(process.Get(), 0);
            return InstallerRun::kCancelled;
        }
        if (::WaitForSingleObject(process.Get(), kInstallerPollMs) != WAIT_TIMEOUT)
            return InstallerRun::kFinished;
    }
}
