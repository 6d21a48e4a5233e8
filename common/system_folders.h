// Folders the system names for the current user. Any thread; "" when the system cannot say.
#pragma once
#include <string>

// The user's temporary folder with its trailing separator.
std::wstring TemporaryFolder();
