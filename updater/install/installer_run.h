// Waiting for the launching program and running the downloaded installer. Called on the download
// worker; blocking; never throws.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

constexpr DWORD kLauncherWaitMs = 5000;
constexpr DWORD kInstallerPollMs = 1000;

// A handle the updater may wait on and end: not a pseudo handle and not one naming the updater itself.
bool IsLauncherProcess(HANDLE launcher);
// Gives the launcher kLauncherWaitMs to end (a handle without wait access fails at once), then ends it
// with exit code -2. Nothing for a pseudo handle or the updater's own process; no wait for a launcher
// that has already ended.
void EndLauncher(HANDLE launcher);

enum class InstallerRun { kFinished, kCannotStart, kCancelled };
// Opens `path` through the shell, shown normally, and polls it every second until it ends; a set cancel
// flag ends it (exit code 0) at the next poll. Without a process handle from the shell it counts as done.
InstallerRun RunInstaller(const std::wstring& path, const std::atomic<long>& cancel);
