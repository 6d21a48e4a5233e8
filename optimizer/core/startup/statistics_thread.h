// The statistics thread of every normal start: records the installation when its version changed, sends
// the installation and activity requests, then starts the updater. Runs once, is never waited for and
// reports nothing; every failure is silent except a failed updater launch (its message box).
#pragma once
#include <windows.h>

#include <string>

#include "product_version.h"

namespace install_record {
constexpr const char* kProductKey = "SOFTWARE\\VarnioWorks\\Sorvik";
constexpr const char* kProductName = "Sorvik";     // the key name the statistics read below VarnioWorks
constexpr const char* kVersion = kProductVersion;  // the build's version, "1.1.06.05" by default
constexpr const char* kPackageName = "Sorvik_Setup.exe";
}  // namespace install_record

// Whether the recorded version calls for a new installation record (and installation request).
bool InstallRecordOutdated(const std::string& recordedVersion);

// The whole job on the calling thread; folder is the program folder ending in a backslash.
void RunStatistics(const std::wstring& folder);

// Starts RunStatistics on a thread of its own; false when the thread cannot be made. With `begin`, an
// event the caller sets once its window is on screen, the thread waits for it (at most
// kStatisticsWaitMs) before anything else: loading the network libraries holds the loader, and the
// window's first paint would wait for them.
constexpr DWORD kStatisticsWaitMs = 5000;
bool StartStatisticsThread(const std::wstring& folder, HANDLE begin = nullptr);
