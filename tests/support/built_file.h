// The Windows path, through drive Z:, of a file the build made (given as its Unix path).
#pragma once
#include <string>

inline std::wstring BuiltFilePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}
