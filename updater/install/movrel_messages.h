// The private messages the download task posts to the progress window, and the progress record 3035
// carries. A record is allocated by the task and freed by the window; when the post fails, by the task.
#pragma once
#include <windows.h>

enum MovrelMessage : UINT {
    WM_MOVREL_PROGRESS = 3035,        // wParam: DownloadProgress*
    WM_MOVREL_FAILED = 3036,          // download or verification failed: offer the manual download
    WM_MOVREL_INSTALLED = 3037,       // the installer ran to its end
    WM_MOVREL_CANNOT_INSTALL = 3038,  // the installer could not be started, or it failed
    WM_MOVREL_END = 3039,             // cancelled, or the run ends without further notice
    WM_MOVREL_WORKER_DONE = 3040,     // the worker is about to end
    WM_MOVREL_INSTALLING = 3041,      // the installer starts: from now on a cancel is refused
};

struct DownloadProgress {
    double total;  // bytes to download, 0 when the server did not say
    double now;    // bytes so far
};

// The bar fills to 90 during the download (the installation owns the rest): the integer part of
// now / total x 90, or -1 (show nothing) when the total is unknown or the figures make no sense.
inline int DownloadPercent(double total, double now) {
    if (!(total > 0) || !(now >= 0))
        return -1;
    const double percent = now / total * 90;
    return percent <= 100 ? static_cast<int>(percent) : -1;
}
