// The updater's own settings file "config\varnio_movrel.ini" beside its executable; only section "check",
// key "check_time" is used. Profile functions: a missing file reads the default, a write creates it.
// Any thread.
#pragma once
#include <cstdint>
#include <string>

// The executable's path with its file name replaced by "config\varnio_movrel.ini".
std::wstring MovrelSettingsPath();

// "check_time" as stored, "-1" when missing.
std::string ReadCheckTime(const std::wstring& iniPath);
// Stores `seconds` (since 1970) as decimal text, creating the file and its folder when missing.
bool WriteCheckTime(const std::wstring& iniPath, int64_t seconds);
