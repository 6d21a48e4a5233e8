// Waiting for the launching program and running the downloaded installer. Called on the download
// worker; blocking; never throws.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

constexpr DWORD kLauncherWaitMs = 5000;
constexpr DWORD kInstallerPollMs = 1000;

// A handle the updater may wait on: a real process handle (not a pseudo handle) of another process.
bool IsLauncherProcess(HANDLE launcher);
// Gives the launcher kLauncherWaitMs to end, then ends it with exit code -2. Nothing for a handle that
// names no other process, and no wait for one that has already ended.
void EndLauncher(HANDLE launcher);

enum class InstallerRun { kFinished, kCannotStart, kCancelled };
// Opens `path` through the shell, shown normally, and polls it every second until it ends; a set cancel
// flag ends it (exit code 0) at the next poll. Without a process handle from the shell it counts as done.
InstallerRun RunInstaller(const std::wstring& path, const std::atomic<long>& cancel);
