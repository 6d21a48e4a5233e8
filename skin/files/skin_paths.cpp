#include "skin/files/skin_paths.h"

#include "skin/files/ini_values.h"

#include <windows.h>

std::wstring ProgramFolder() {
    // Long paths are rare but possible; grow the buffer until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring OptimizerSkinFolder(const std::wstring& programFolder) { return programFolder + L"\\Sk_sv\\"; }

std::wstring UpdaterSkinFolder(const std::wstring& programFolder, const std::wstring& skinName) {
    return programFolder + L"\\Skin" + L"\\" + skinName + L"\\Movrel\\";
}

std::wstring ReadUpdaterSkinName(const std::wstring& programFolder) {
    return ReadIniText(programFolder + L"\\varnio.ini", L"SkinConfig", L"Skin", 260, L"Chrome");
}
