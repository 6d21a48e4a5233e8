#include "updater/install/task_movrel.h"

#include "updater/config/updater_folders.h"
#include "updater/install/installer_run.h"
#include "updater/install/movrel_messages.h"
#include "updater/install/package_check.h"
#include "updater/install/package_file.h"

#include <objbase.h>
#include <process.h>

CTaskMovrel::CTaskMovrel(HWND window,
                         CancelFlag cancel,
                         std::string packageUrl,
                         PackageDigests expected,
                         HANDLE launcher)
    : m_window(window),
      m_cancel(std::move(cancel)),
      m_packageUrl(std::move(packageUrl)),
      m_expected(std::move(expected)),
      m_launcher(launcher) {}

AutoHandle CTaskMovrel::Start(std::unique_ptr<CTaskMovrel> task) {
    // _beginthreadex, not _beginthread: its handle stays valid until the window has waited on it and closed it.
    const uintptr_t thread = _beginthreadex(nullptr, 0, &CTaskMovrel::ThreadProc, task.get(), 0, nullptr);
    if (thread == 0)
        return AutoHandle();
    task.release();
    return AutoHandle(reinterpret_cast<HANDLE>(thread));
}

AutoHandle StartTaskMovrel(HWND window,
                           CancelFlag cancel,
                           std::string packageUrl,
                           PackageDigests expected,
                           HANDLE launcher) {
    return CTaskMovrel::Start(std::make_unique<CTaskMovrel>(window, std::move(cancel), std::move(packageUrl),
                                                            std::move(expected), launcher));
}

unsigned __stdcall CTaskMovrel::ThreadProc(void* param) {
    std::unique_ptr<CTaskMovrel> task(static_cast<CTaskMovrel*>(param));
    // The shell may hand the installer's start to extensions that need COM.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    UINT final = WM_MOVREL_FAILED;
    try {
        final = task->Run();
    } catch (...) {
        final = WM_MOVREL_FAILED;  // nothing may leave the thread; the user is offered the manual download
    }
    task->Post(final);
    if (::IsWindow(task->m_window))
        task->Post(WM_MOVREL_WORKER_DONE);
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return 0;
}

void CTaskMovrel::Post(UINT message) const {
    ::PostMessageW(m_window, message, 0, 0);
}

int CTaskMovrel::progress(double dltotal, double dlnow, double, double) {
    const int percent = DownloadPercent(dltotal, dlnow);
    // The bar shows whole percents; a record per received block would only flood the window's queue.
    if (percent != m_lastPercent && ::IsWindow(m_window)) {
        auto* record = new DownloadProgress{dltotal, dlnow};
        if (::PostMessageW(m_window, WM_MOVREL_PROGRESS, reinterpret_cast<WPARAM>(record), 0)) {
            m_lastPercent = percent;
        } else {
            delete record;
        }
    }
    return m_cancel->load() == kCancelled;
}

CTaskMovrel::Download CTaskMovrel::DownloadPackage(const std::wstring& path) {
    Download result;
    try {
        curl_space::CurlRequestScope scope;
        if (!scope.Handle())
            return result;
        curl_space::ApplySystemProxy(scope.Handle());
        // A file that could not be completely written (a full disk at the close) fails here too.
        result.complete = curl_space::DownloadWithProgress(scope.Handle(), m_packageUrl, path, this, &result.code);
    } catch (...) {
        result = Download();
    }
    return result;
}

UINT CTaskMovrel::Run() {
    const std::wstring folder = TemporaryFolder();
    if (folder.empty())
        return WM_MOVREL_FAILED;
    const std::wstring path = folder + PackageFileName(m_packageUrl);
    const Download download = DownloadPackage(path);
    if (!download.complete)
        return download.code == CURLE_ABORTED_BY_CALLBACK ? WM_MOVREL_END : WM_MOVREL_FAILED;
    return Install(path);
}

UINT CTaskMovrel::Install(const std::wstring& path) {
    // Held from the check until the installer's process exists, so nobody can swap the checked bytes.
    AutoHandle held = HoldPackage(path);
    PackageDigests actual;
    if (!held || !ReadPackageDigests(held.Get(), actual) || !DigestsMatch(actual, m_expected)) {
        held.Reset();
        ::DeleteFileW(path.c_str());  // never to be run, not even by hand
        return WM_MOVREL_FAILED;
    }
    // A cancel is honoured up to here: the launcher is left running and nothing is started.
    if (m_cancel->load() == kCancelled || !EndLauncher(m_launcher, *m_cancel) || !ClaimInstall(*m_cancel))
        return WM_MOVREL_END;
    Post(WM_MOVREL_INSTALLING);
    switch (RunInstaller(path, std::move(held))) {
        case InstallerRun::kSucceeded:
            return WM_MOVREL_INSTALLED;
        case InstallerRun::kFailed:
        case InstallerRun::kCannotStart:
        default:
            return WM_MOVREL_CANNOT_INSTALL;
    }
}
