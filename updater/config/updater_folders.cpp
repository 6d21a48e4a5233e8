#include "updater/config/updater_folders.h"

#include "skin/files/skin_paths.h"

#include <windows.h>

std::wstring ConfigFolder() {
    const std::wstring program = ProgramFolder();
    return program.empty() ? std::wstring() : program + L"\\config\\";
}

std::wstring TemporaryFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
    if (n == 0 || n > MAX_PATH)
        return {};
    return path;
}
