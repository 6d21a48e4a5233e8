// A fresh folder under the temporary folder for one test, deleted with its files afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "tests/support/file_bytes.h"
#include "tests/support/test_folders.h"

class TempFolder {
public:
    TempFolder() : m_path(CreateFreshTempFolder(L"common_test_")) {}
    ~TempFolder() { RemoveFolderTree(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring Path(const std::wstring& name) const { return m_path + name; }
    std::wstring Write(const std::wstring& name, const std::string& bytes) const {
        const std::wstring path = Path(name);
        WriteFileBytes(path, bytes);
        return path;
    }
    std::string Read(const std::wstring& name) const { return ReadFileBytes(Path(name)); }
    bool Exists(const std::wstring& name) const { return ::GetFileAttributesW(Path(name).c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::wstring m_path;
};
