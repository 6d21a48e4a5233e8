// Starting the download task from the progress window without seeing the transfer layer: the worker
// takes the task; the window keeps the thread handle and the cancel state both share. Window thread.
#pragma once
#include "common/handles.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

// The run's cancel state, shared so a late cancel never touches a finished task. The worker claims
// kInstalling just before the installer starts; from then on a cancel is refused, so the installer is
// never ended part-way.
enum CancelState : long { kRunning = 0, kCancelled = 1, kInstalling = 2 };
using CancelFlag = std::shared_ptr<std::atomic<long>>;

// The window's cancel: true when the run is now cancelled, false when the installer already runs.
inline bool RequestCancel(std::atomic<long>& state) {
    long expected = kRunning;
    return state.compare_exchange_strong(expected, kCancelled) || expected == kCancelled;
}
// The worker's last step before the installer: false when the run was cancelled first.
inline bool ClaimInstall(std::atomic<long>& state) {
    long expected = kRunning;
    return state.compare_exchange_strong(expected, kInstalling);
}

// The digests the manifest gives for the package, lower-case hexadecimal.
struct PackageDigests {
    std::string md5;
    std::string sha256;
};

// Starts a worker downloading `packageUrl` for `window`; its thread handle, or empty when it could not start.
AutoHandle StartTaskMovrel(HWND window,
                           CancelFlag cancel,
                           std::string packageUrl,
                           PackageDigests expected,
                           HANDLE launcher);
using TaskStarter =
    AutoHandle (*)(HWND window, CancelFlag cancel, std::string packageUrl, PackageDigests expected, HANDLE launcher);
