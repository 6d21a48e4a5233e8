#include "common/system_folders.h"

#include <windows.h>

std::wstring TemporaryFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
    if (n == 0 || n > MAX_PATH)
        return {};
    return path;
}
