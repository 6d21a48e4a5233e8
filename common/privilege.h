// Enabling a privilege in the current process's token. Any thread; a failure returns false and changes
// nothing, so the calls that need the privilege then fail on their own.
#pragma once

// Enables `name` (e.g. L"SeShutdownPrivilege"); false when the token lacks it or the name is unknown.
bool EnableProcessPrivilege(const wchar_t* name);
