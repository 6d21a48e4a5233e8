// Narrow (ANSI code page) string values in the registry. Any thread; failures are "" or false.
#pragma once
#include <windows.h>

#include <string>

// REG_SZ and REG_EXPAND_SZ alike, unexpanded; a missing key, value or terminator gives what is there.
std::string ReadRegistryText(HKEY root, const std::string& subKey, const std::string& name);

// Opens the key with full access, creating it when missing; the byte count leaves out the terminator.
bool WriteRegistryText(HKEY root, const std::string& subKey, const std::string& name, const std::string& value,
                       DWORD type = REG_SZ);
