#include "optimizer/core/startup/updater_launch.h"

#include <shellapi.h>

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
    AutoHandle self(::OpenProcess(PROCESS_TERMINATE, TRUE, ::GetCurrentProcessId()));
    const std::string file = WideToAnsi(folder) + kUpdaterExe;
    const std::string parameters = UpdaterParameters(self.Get(), manual);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (::ShellExecuteExA(&info))
        return info.hProcess;

    wchar_t text[64] = {};
    std::swprintf(text, 64, L"\u6267\u884c\u9519\u8bef\u7801:%d", static_cast<int>(::GetLastError()));  // 执行错误码
    ::MessageBoxW(nullptr, text, L"\u5347\u7ea7\u63d0\u793a", MB_OK);                                   // 升级提示
    return nullptr;
}
