// Starting the download task from the progress window without seeing the transfer layer: the worker
// takes the task; the window keeps the thread handle and the cancel flag both share. Window thread.
#pragma once
#include "common/handles.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

// 0 normally; the window sets 1 to cancel. Shared, so a late cancel never touches a finished task.
using CancelFlag = std::shared_ptr<std::atomic<long>>;

// Starts a worker downloading `packageUrl` for `window`; its thread handle, or empty when it could not start.
AutoHandle StartTaskMovrel(HWND window,
                           CancelFlag cancel,
                           std::string packageUrl,
                           std::string expectedDigest,
                           HANDLE launcher);
using TaskStarter =
    AutoHandle (*)(HWND window, CancelFlag cancel, std::string packageUrl, std::string expectedDigest, HANDLE launcher);
