// Starting the updater Tavisk from the optimizer's folder with an inheritable handle to the optimizer's
// own process, which the updater needs to wait for it and end it before installing. Any thread.
#pragma once
#include <windows.h>

#include <string>

constexpr const char* kUpdaterExe = "Tavisk.exe";

// "-hdl " and the handle in decimal, with " -man " for a check the user asked for.
std::string UpdaterParameters(HANDLE selfHandle, bool manual);

// Starts folder + "Tavisk.exe" (folder ends in a backslash). Returns the new process, which the caller
// owns, or null after showing "执行错误码:%d" in a message box without owner.
HANDLE LaunchUpdater(const std::wstring& folder, bool manual);
