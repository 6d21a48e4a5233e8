// A fresh folder under the temporary folder for one test, deleted with its files afterwards.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/folder_walk.h"

class TempFolder {
public:
    TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, base);
        for (unsigned n = ::GetTickCount() ^ ::GetCurrentProcessId();; ++n) {
            m_path = std::wstring(base) + L"common_test_" + std::to_wstring(n) + L"\\";
            if (::CreateDirectoryW(m_path.c_str(), nullptr)) break;
        }
    }
    ~TempFolder() { RemoveFolderTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring Path(const std::wstring& name) const { return m_path + name; }
    std::wstring Write(const std::wstring& name, const std::string& bytes) const {
        const std::wstring path = Path(name);
        FILE* file = _wfopen(path.c_str(), L"wb");
        if (file) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        return path;
    }
    std::string Read(const std::wstring& name) const { return ReadFileBytes(Path(name)); }
    bool Exists(const std::wstring& name) const { return ::GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::wstring m_path;
};
