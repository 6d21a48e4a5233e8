// Saves what the screen shows (the whole Xvfb display under Wine) for a person to look at, and counts
// pixels of a part of it for a test to check.
#pragma once
#include <windows.h>

#include <string>

// Writes "screenshots\<name>.png" beside the test program; needs a live GDI+ session. False on failure.
bool SaveScreenshot(const std::wstring& name);

// Pixels of the screen inside `rect` (screen coordinates) in a strong red, as skin texts draw figures
// and warnings; -1 when the screen cannot be read.
int RedScreenPixels(const RECT& rect);
