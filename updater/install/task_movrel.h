// CTaskMovrel: the download task of one run. On its own worker thread it downloads the package into the
// temporary folder, verifies its MD5 and SHA-256 digests, ends the launching program, runs the installer
// and reports each outcome to the progress window by the posted messages of movrel_messages.h: 3041 as
// the installer starts, exactly one of 3036, 3037, 3038, 3039, then 3040. The worker owns and deletes
// the task; the window keeps only the cancel state, which both share, so a late cancel never touches a
// finished task.
#pragma once
#include "common/curl_transfer.h"
#include "updater/install/task_start.h"

class CTaskMovrel : public curl_space::progress_callback_interface2 {
public:
    // `launcher` is borrowed (the handle given with "-hdl"), may be null.
    CTaskMovrel(HWND window, CancelFlag cancel, std::string packageUrl, PackageDigests expected, HANDLE launcher);
    virtual ~CTaskMovrel() = default;

    // Starts the worker thread, which takes the task; the returned handle is the caller's. On failure the
    // handle is empty and the task is gone.
    static AutoHandle Start(std::unique_ptr<CTaskMovrel> task);

    // Worker thread: posts the progress record when the shown percentage changes; returns the cancel flag.
    int progress(double dltotal, double dlnow, double ultotal, double ulnow) override;

    // The whole job; returns the final message (3036 to 3039) to post.
    UINT Run();

    struct Download {
        bool complete = false;
        CURLcode code = CURLE_FAILED_INIT;  // CURLE_ABORTED_BY_CALLBACK when cancelled
    };
    // Downloads the package into `path` with this task reporting progress.
    Download DownloadPackage(const std::wstring& path);

private:
    static unsigned __stdcall ThreadProc(void* task);
    // From the held package's digest check to the installer's end; the final message.
    UINT Install(const std::wstring& path);
    void Post(UINT message) const;

    HWND m_window;  // not owned
    CancelFlag m_cancel;
    std::string m_packageUrl;
    PackageDigests m_expected;
    HANDLE m_launcher;  // not owned
    int m_lastPercent = -1;
};
