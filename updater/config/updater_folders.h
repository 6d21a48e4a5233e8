// The folders the updater uses, as the system names them now. Any thread; "" when a folder is unknown.
#pragma once
#include <string>

// The "config\" folder beside the executable, ending in a backslash.
std::wstring ConfigFolder();
// The user's temporary folder with its trailing separator.
std::wstring TemporaryFolder();
