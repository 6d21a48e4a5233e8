// The machine's "PagingFiles" value for one test: saved at construction (the key is made if the prefix
// lacks it) and put back, or removed again, afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "optimizer/tools/page_file/system/paging_files.h"

class PagingFilesValue {
public:
    PagingFilesValue() {
        DWORD disposition = 0;
        ::RegCreateKeyExW(m_key.root, m_key.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_handle,
                          &disposition);
        m_createdKey = disposition == REG_CREATED_NEW_KEY;
        m_existed = Read(m_original, m_originalType);
    }
    ~PagingFilesValue() {
        if (m_existed)
            ::RegSetValueExA(m_handle, "PagingFiles", 0, m_originalType,
                             reinterpret_cast<const BYTE*>(m_original.data()), static_cast<DWORD>(m_original.size()));
        else
            ::RegDeleteValueA(m_handle, "PagingFiles");
        ::RegCloseKey(m_handle);
        if (m_createdKey)
            ::RegDeleteKeyW(m_key.root, m_key.path.c_str());
    }
    PagingFilesValue(const PagingFilesValue&) = delete;
    PagingFilesValue& operator=(const PagingFilesValue&) = delete;

    // `bytes` exactly as stored, terminators included; null removes the value.
    void Set(const std::string* bytes) const {
        if (!bytes) {
            ::RegDeleteValueA(m_handle, "PagingFiles");
            return;
        }
        ::RegSetValueExA(m_handle, "PagingFiles", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(bytes->data()),
                         static_cast<DWORD>(bytes->size()));
    }
    std::string Get() const {
        std::string bytes;
        DWORD type = 0;
        Read(bytes, type);
        return bytes;
    }

private:
    bool Read(std::string& bytes, DWORD& type) const {
        DWORD size = 0;
        if (::RegQueryValueExA(m_handle, "PagingFiles", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return false;
        bytes.assign(size, '\0');
        return ::RegQueryValueExA(m_handle, "PagingFiles", nullptr, &type,
                                  reinterpret_cast<BYTE*>(bytes.empty() ? nullptr : &bytes[0]), &size) == ERROR_SUCCESS;
    }

    PageFileKey m_key;
    HKEY m_handle = nullptr;
    bool m_createdKey = false;
    bool m_existed = false;
    std::string m_original;
    DWORD m_originalType = REG_MULTI_SZ;
};

inline DriveFact FixedDrive(wchar_t letter, double freeGB) {
    return {letter, DRIVE_FIXED, static_cast<uint64_t>(freeGB * 1024 * 1024 * 1024)};
}
