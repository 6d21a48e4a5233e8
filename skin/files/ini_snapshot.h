// ScopedIniSnapshot: while one lives on a thread, that thread's skin ini reads (ini_values.h) are
// answered from one reading of each section instead of one profile call per key. A window's creation
// asks some 170 keys of the same two files, and each profile call opens and checks its file again.
// It spans one batch of reads: a file changed while it lives is read as it was. One made inside another
// on the same thread changes nothing: the outer one answers.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class ScopedIniSnapshot {
public:
    ScopedIniSnapshot();
    ~ScopedIniSnapshot();
    ScopedIniSnapshot(const ScopedIniSnapshot&) = delete;
    ScopedIniSnapshot& operator=(const ScopedIniSnapshot&) = delete;

    // The snapshot of this thread, or null.
    static ScopedIniSnapshot* Active();
    // What GetPrivateProfileStringW gives for the key.
    std::wstring Text(const std::wstring& file, const wchar_t* section, const wchar_t* key, DWORD maxChars,
                      const wchar_t* defaultText);
    // What GetPrivateProfileIntW gives for the key.
    int Int(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue);

private:
    using Lines = std::vector<std::pair<std::wstring, std::wstring>>;  // key, value; as the file has them
    const Lines& Section(const std::wstring& file, const wchar_t* section);

    std::map<std::pair<std::wstring, std::wstring>, Lines> m_sections;  // by file and upper-case section
};
