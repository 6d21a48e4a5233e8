// Ends every running process whose executable name equals `exeName`, ignoring case. Any thread.
#pragma once
#include <string>

// Returns how many processes were ended.
int KillProcessesByName(const std::wstring& exeName);
