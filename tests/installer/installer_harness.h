// Runs the built installer and its uninstaller silently in the Wine prefix and looks at what they left.
// The tests own the product's registry key and its default folder while they run (ctest lock
// "sorvik_product"). Test thread only; failures come back as empty results or an exit code of -1.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"

constexpr const char* kProductKey = "SOFTWARE\\VarnioWorks\\Sorvik";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sorvik";

// Built files, reached through drive Z:.
std::wstring BuiltInstaller();
std::wstring BuiltProductFolder();

std::wstring DefaultInstallFolder();  // the user's program folder + "\Sorvik"
std::wstring StartMenuShortcut();
std::wstring ShortcutTarget(const std::wstring& link);

// Runs that wait for the end and return the exit code: the installer with the given command line
// ("/S" for a silent one; none, as the updater runs it), the uninstaller silently.
DWORD RunInstaller(const std::wstring& arguments);
DWORD RunUninstaller(const std::wstring& folder);

// Uninstalls what an earlier run may have left and clears the product's values.
void RemoveInstallation();

AutoHandle StartProgram(const std::wstring& path, const std::wstring& arguments);
bool IsRunningFrom(const std::wstring& folder);

bool Exists(const std::wstring& path);
std::vector<std::wstring> FilesBelow(const std::wstring& folder);  // paths relative to folder

std::string ProductValue(const char* name);
