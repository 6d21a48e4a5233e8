#include "updater/dialogs/dialog_effects.h"

#include "common/text_encoding.h"

#include <windows.h>

#include <shellapi.h>

#include <cstring>

namespace {
// Only web pages go to the shell, which would as readily run a program named by the address.
bool IsWebAddress(const std::string& url) {
    return _strnicmp(url.c_str(), "http://", 7) == 0 || _strnicmp(url.c_str(), "https://", 8) == 0;
}

void ShellOpen(const std::string& url) {
    ::ShellExecuteW(nullptr, L"open", AnsiToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ExitNow(int exitCode) {
    ::ExitProcess(static_cast<UINT>(exitCode));
}

OpenInBrowserFn g_open = &ShellOpen;
EndProcessFn g_end = &ExitNow;
}  // namespace

void OpenInBrowser(const std::string& url) {
    if (IsWebAddress(url))
        g_open(url);
}
void EndProcessNow(int exitCode) {
    g_end(exitCode);
}

void SetDialogEffects(OpenInBrowserFn open, EndProcessFn end) {
    g_open = open ? open : &ShellOpen;
    g_end = end ? end : &ExitNow;
}
