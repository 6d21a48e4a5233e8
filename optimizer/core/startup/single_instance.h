// One running copy of the optimizer: the "update" command line that ends the others, the named mutex,
// and handing over to the copy already running. Entry thread, before any window exists.
#pragma once
#include <windows.h>

#include <string>

#include "common/handles.h"

// The window property that marks the running copy's main window; a second copy finds it by this.
constexpr const wchar_t* kInstanceProperty = L"VarnioSorvik";

// Exactly "update", case kept, nothing else on the line.
bool IsUpdateCommandLine(const wchar_t* commandLine);

// Ends every process named `exeName` (ignoring case) except this one, with exit code 0; returns how many.
int EndOtherCopies(const wchar_t* exeName);

// The mutex "VarnioBrevund", created unowned; empty (and nothing held) when another copy created it first.
AutoHandle ClaimSingleInstance();

// Finds the running copy's window by its property and brings it forward (shown, restored, in front).
// False when there is none.
bool ActivateRunningCopy();
