// A whole file's bytes, for tests; "" when it cannot be opened.
#pragma once
#include <cstdio>
#include <string>

inline std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char block[65536];
        size_t got;
        while ((got = std::fread(block, 1, sizeof(block), file)) > 0)
            bytes.append(block, got);
        std::fclose(file);
    }
    return bytes;
}
