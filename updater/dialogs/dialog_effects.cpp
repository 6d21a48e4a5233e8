#include "updater/dialogs/dialog_effects.h"

#include "common/text_encoding.h"

#include <windows.h>

#include <shellapi.h>

namespace {
void ShellOpen(const std::string& url) {
    if (!url.empty())
        ::ShellExecuteW(nullptr, L"open", AnsiToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ExitNow(int exitCode) {
    ::ExitProcess(static_cast<UINT>(exitCode));
}

OpenInBrowserFn g_open = &ShellOpen;
EndProcessFn g_end = &ExitNow;
}  // namespace

void OpenInBrowser(const std::string& url) {
    g_open(url);
}
void EndProcessNow(int exitCode) {
    g_end(exitCode);
}

void SetDialogEffects(OpenInBrowserFn open, EndProcessFn end) {
    g_open = open ? open : &ShellOpen;
    g_end = end ? end : &ExitNow;
}
