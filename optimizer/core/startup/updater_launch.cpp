#include "optimizer/core/startup/updater_launch.h"

#include <cstdint>
#include <cwchar>

#include "common/handles.h"
#include "common/text_encoding.h"

std::string UpdaterParameters(HANDLE selfHandle, bool manual) {
    // The updater reads the value back as a number; a handle always fits in the pointer-sized integer.
    std::string parameters = "-hdl " + std::to_string(reinterpret_cast<uintptr_t>(selfHandle));
    if (manual)
        parameters += " -man ";
    return parameters;
}

HANDLE LaunchUpdater(const std::wstring& folder, bool manual) {
    // The updater waits for this process, ends it if it lingers, and tells it by its id.
    AutoHandle self(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE,
                                  ::GetCurrentProcessId()));
    const std::wstring program = folder + AnsiToWide(kUpdaterExe);
    std::wstring commandLine = L"\"" + program + L"\" " + AnsiToWide(UpdaterParameters(self.Get(), manual));
    // Started directly rather than through the shell, which does not pass inheritable handles on everywhere.
    STARTUPINFOW startup = {sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started = {};
    if (::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                         &started)) {
        ::CloseHandle(started.hThread);
        return started.hProcess;
    }
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"\u6267\u884c\u9519\u8bef\u7801:%d", static_cast<int>(::GetLastError()));  // 执行错误码
    ::MessageBoxW(nullptr, text, L"\u5347\u7ea7\u63d0\u793a", MB_OK);                                   // 升级提示
    return nullptr;
}
