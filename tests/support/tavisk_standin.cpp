// A stand-in for the updater in tests of the optimizer's start: it writes its command line and the process
// id behind the "-hdl" handle to "tavisk_args.txt" beside itself (UTF-8), then ends. When the variable
// SORVIK_PROBE_EVENT names a handle value, it signals that event first: only an inherited handle reaches
// the tester's event.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const wchar_t* line = ::GetCommandLineW();
    DWORD handlePid = 0;
    if (const wchar_t* hdl = std::wcsstr(line, L"-hdl ")) {
        const uintptr_t value = static_cast<uintptr_t>(std::wcstoull(hdl + 5, nullptr, 10));
        handlePid = ::GetProcessId(reinterpret_cast<HANDLE>(value));
    }
    wchar_t probe[32] = {};
    if (::GetEnvironmentVariableW(L"SORVIK_PROBE_EVENT", probe, 32) > 0)
        ::SetEvent(reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::wcstoull(probe, nullptr, 10))));
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file = path;
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"tavisk_args.txt";
    // Written under another name first, so a reader never sees half a file.
    const std::wstring partial = file + L".part";
    FILE* out = _wfopen(partial.c_str(), L"wb");
    if (!out)
        return 1;
    char utf8[4096] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
    std::fprintf(out, "%s\nhandle-pid=%lu\n", utf8, static_cast<unsigned long>(handlePid));
    std::fclose(out);
    ::MoveFileExW(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
