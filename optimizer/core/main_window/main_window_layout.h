// Where the main window puts its panes and which controls hear the mouse on each page. Pure.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

constexpr int kMainWindowWidth = 652;
constexpr int kMainWindowHeight = 456;

// The process-list pane below the first page: 20 pixels lower and shorter under the page-file warning.
RECT ProcessPaneRect(const RECT& client, bool pageFileWarning);
// The tools page's web pane: the client area less 7 at the sides, 83 at the top and 4 at the bottom.
RECT WebPaneRect(const RECT& client);

// Whether the links may hand `url` to the shell: http and https addresses only.
bool IsWebAddress(const std::string& url);

// Controls that receive the window's mouse messages on `page`, in the state given.
const std::vector<const wchar_t*>& MouseTargets(int page, bool gameMode, bool pageFileWarning);
