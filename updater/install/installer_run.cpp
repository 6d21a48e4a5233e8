#include "updater/install/installer_run.h"

#include "updater/install/task_start.h"

#include <shellapi.h>

bool IsLauncherProcess(HANDLE launcher) {
    // Negative values are pseudo handles (-1 is this very process): waiting on or ending them would end
    // the updater itself. A launcher's handle may carry terminate access only, so a failed query (0) is
    // no reason to refuse it.
    if (reinterpret_cast<INT_PTR>(launcher) <= 0)
        return false;
    return ::GetProcessId(launcher) != ::GetCurrentProcessId();
}

bool EndLauncher(HANDLE launcher, const std::atomic<long>& cancel) {
    if (!IsLauncherProcess(launcher))
        return true;
    // In slices, so that a cancel meanwhile leaves the launcher running.
    for (DWORD waited = 0; waited < kLauncherWaitMs; waited += kCancelPollMs) {
        if (cancel.load() == kCancelled)
            return false;
        const DWORD wait = ::WaitForSingleObject(launcher, kCancelPollMs);
        if (wait == WAIT_OBJECT_0)
            return true;
        if (wait != WAIT_TIMEOUT)
            break;
    }
    if (cancel.load() == kCancelled)
        return false;
    ::TerminateProcess(launcher, static_cast<UINT>(-2));
    return true;
}

InstallerRun RunInstaller(const std::wstring& path, AutoHandle heldPackage) {
    SHELLEXECUTEINFOW info = {sizeof(info)};
    // The updater reports a failed start in its own words, so the shell shows no error box.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    const bool started = ::ShellExecuteExW(&info) != FALSE;
    heldPackage.Reset();
    if (!started)
        return InstallerRun::kCannotStart;
    // Without its process the installer's outcome is unknown, and success is not claimed.
    AutoHandle process(info.hProcess);
    DWORD exitCode = 1;
    if (!process || ::WaitForSingleObject(process.Get(), INFINITE) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process.Get(), &exitCode))
        return InstallerRun::kFailed;
    return exitCode == 0 ? InstallerRun::kSucceeded : InstallerRun::kFailed;
}
