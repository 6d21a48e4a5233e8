// The folders the updater uses, as the system names them now. Any thread; "" when a folder is unknown.
#pragma once
#include <string>

#include "common/system_folders.h"  // TemporaryFolder, which the updater uses beside these

// The "config\" folder beside the executable, ending in a backslash.
std::wstring ConfigFolder();
