// Shared by the updater's window and end-to-end tests: the folder the tests run from (the test skin and
// the stand-in programs are built beside them), the record file the stand-ins write, and finding windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "skin/files/skin_paths.h"
#include "tests/common/temp_folder.h"
#include "tests/support/file_bytes.h"

// The test program's folder with a trailing backslash.
inline std::wstring TestProgramFolder() {
    return ProgramFolder() + L"\\";
}
inline std::wstring RecorderPath() {
    return TestProgramFolder() + L"sorvik_test_recorder.exe";
}

// A message-only window of class `className` whose messages go to `proc`; `self` in its GWLP_USERDATA.
inline HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc, void* self) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return hwnd;
}

// The stand-in programs append "<file name>|<arguments>" lines to the file named by SORVIK_TEST_RECORD,
// which this process and every program it starts share.
class ProgramRecord {
public:
    ProgramRecord() : m_path(m_folder.Path(L"record.txt")) {
        ::SetEnvironmentVariableW(L"SORVIK_TEST_RECORD", m_path.c_str());
    }
    ~ProgramRecord() { ::SetEnvironmentVariableW(L"SORVIK_TEST_RECORD", nullptr); }
    void Clear() const { ::DeleteFileW(m_path.c_str()); }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const std::string text = ReadFileBytes(m_path);
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        return lines;
    }

    // The lines once there are at least `count` of them (programs the updater does not wait for write late).
    std::vector<std::string> LinesOnceThere(size_t count, DWORD timeoutMs = 5000) const {
        for (DWORD start = ::GetTickCount(); Lines().size() < count && ::GetTickCount() - start < timeoutMs;)
            ::Sleep(50);
        return Lines();
    }

private:
    TempFolder m_folder;
    std::wstring m_path;
};

struct WindowSearch {
    DWORD pid;
    const std::wstring* title;
    const wchar_t* className;
    HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    wchar_t text[256] = {}, cls[64] = {};
    ::GetWindowTextW(hwnd, text, 256);
    ::GetClassNameW(hwnd, cls, 64);
    if (owner != s->pid || *s->title != text || (s->className && lstrcmpW(cls, s->className) != 0))
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

// A top-level window of process `pid` whose title is `title` (class too when given), or null.
inline HWND FindProcessWindow(DWORD pid, const std::wstring& title, const wchar_t* className = nullptr) {
    WindowSearch search = {pid, &title, className, nullptr};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
