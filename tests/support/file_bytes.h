// Reading and writing a whole file's bytes, for tests.
#pragma once
#include <cstdio>
#include <string>

// A whole file's bytes; "" when it cannot be opened.
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

// Replaces the file at `path` with `bytes`; false when it cannot be opened or written.
inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
