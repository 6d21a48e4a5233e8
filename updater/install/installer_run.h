// Waiting for the launching program and running the downloaded installer. Called on the download
// worker; blocking; never throws.
#pragma once
#include "common/handles.h"

#include <windows.h>

#include <atomic>
#include <string>

constexpr DWORD kLauncherWaitMs = 5000;
constexpr DWORD kCancelPollMs = 100;

// A handle the updater may wait on and end: not a pseudo handle and not one naming the updater itself.
bool IsLauncherProcess(HANDLE launcher);
// Gives the launcher kLauncherWaitMs to end (a handle without wait access fails at once), then ends it
// with exit code -2. Nothing for a pseudo handle or the updater's own process; no wait for a launcher
// that has already ended. False, with the launcher left alone, when `cancel` is set during the wait.
bool EndLauncher(HANDLE launcher, const std::atomic<long>& cancel);

enum class InstallerRun {
    kSucceeded,    // ran to its end with exit code 0
    kFailed,       // a non-zero exit code, or its end could not be seen
    kCannotStart,
};
// Opens `path` through the shell, shown normally, lets go of `heldPackage` once the installer's process
// exists, and waits for it to end; it is never ended early.
InstallerRun RunInstaller(const std::wstring& path, AutoHandle heldPackage);
