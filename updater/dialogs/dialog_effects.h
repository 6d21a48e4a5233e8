// What the dialogs do outside the updater: open an address in the browser and end the process at once.
// Both go through replaceable functions so tests can run the dialogs in their own process; when the end
// function returns (only a test's does), the dialog closes itself instead. Window thread.
#pragma once
#include <string>

// Opens `url` (ANSI) through the shell, "open", shown normally; only http and https addresses.
void OpenInBrowser(const std::string& url);
// Ends the process with `exitCode` without returning (unless a test replaced it).
void EndProcessNow(int exitCode);

using OpenInBrowserFn = void (*)(const std::string& url);
using EndProcessFn = void (*)(int exitCode);
// Replaces the two effects; null restores the real one. Tests only.
void SetDialogEffects(OpenInBrowserFn open, EndProcessFn end);
