#include "updater/config/updater_folders.h"

#include "skin/files/skin_paths.h"

std::wstring ConfigFolder() {
    const std::wstring program = ProgramFolder();
    return program.empty() ? std::wstring() : program + L"\\config\\";
}
