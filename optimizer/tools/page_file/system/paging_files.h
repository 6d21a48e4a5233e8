// The machine's page-file setting: the multi-string "PagingFiles" of the memory-management key, one
// narrow entry per page file ("C:\pagefile.sys 1024 4092"; "?:\..." for a system-managed one). Any
// thread; registry failures come back as false and change nothing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Where the setting lives; tests point it elsewhere to see a refused write. The control set Windows
// started from, whichever number it has: another set is neither read at start-up nor worth a restart.
struct PageFileKey {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::wstring path = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
};

// The entries up to the first empty one, read at whatever size the value has. False when the key or
// the value cannot be read.
bool ReadPagingFiles(std::vector<std::string>& entries, const PageFileKey& key = PageFileKey());

// Replaces the whole setting by one page file at the root of drive `letterA` ("D:\pagefile.sys 1024
// 4092"): initial 1024 MB, maximum 4092 MB.
// False when the key cannot be opened for writing (no administrator rights) or the write fails.
bool WritePageFile(const std::string& letterA, const PageFileKey& key = PageFileKey());

// Multi-string bytes split at their NULs, up to the first empty entry; a missing terminator is forgiven.
std::vector<std::string> SplitMultiString(const std::string& bytes);
// The one entry WritePageFile writes for `letterA`.
std::string PageFileEntry(const std::string& letterA);
