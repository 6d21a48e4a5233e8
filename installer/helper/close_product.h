// Ends what a running installation does to the machine, before its files are replaced or removed.
// Blocks the caller for bounded waits (about half a minute at most); any thread.
#pragma once
#include <string>

// Asks a running Sorvik to close through the installed program's "update" command line, ends any
// copy from the folder that is still there after a grace period, and starts again the services a
// game mode left stopped (the crash journal). With everyProgram, every other program running from
// the folder (the updater, for one) is ended as well. True when nothing that had to end is left.
bool CloseProduct(const std::wstring& folder, bool everyProgram);
