// Saves what the screen shows (the whole Xvfb display under Wine) for a person to look at.
#pragma once
#include <string>

// Writes "screenshots\<name>.png" beside the test program; needs a live GDI+ session. False on failure.
bool SaveScreenshot(const std::wstring& name);
