#include "optimizer/core/startup/updater_launch.h"

#include <cstdint>
#include <cwchar>
#include <vector>

#include "common/handles.h"
#include "common/text_encoding.h"

namespace {

// Owns a process-thread attribute list that names the only handles a child inherits.
class CInheritList {
public:
    CInheritList(HANDLE* handles, size_t count) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        m_buffer.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.data());
        if (size == 0 || !::InitializeProcThreadAttributeList(list, 1, 0, &size))
            return;
        m_list = list;
        if (!::UpdateProcThreadAttribute(m_list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                         count * sizeof(HANDLE), nullptr, nullptr)) {
            Free();
        }
    }
    ~CInheritList() { Free(); }
    CInheritList(const CInheritList&) = delete;
    CInheritList& operator=(const CInheritList&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST Get() const { return m_list; }

private:
    void Free() {
        if (m_list)
            ::DeleteProcThreadAttributeList(m_list);
        m_list = nullptr;
    }
    std::vector<BYTE> m_buffer;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

}  // namespace

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
    // Started directly rather than through the shell, which does not pass inheritable handles on everywhere,
    // and with a list of the one handle to pass on: others that happen to be inheritable at this moment
    // (the speed test's socket) must not live on in the updater.
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_SHOW;
    HANDLE inherited = self.Get();
    CInheritList list(&inherited, 1);
    startup.lpAttributeList = list.Get();
    PROCESS_INFORMATION started = {};
    if (list.Get() && ::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE,
                                       EXTENDED_STARTUPINFO_PRESENT, nullptr, folder.c_str(), &startup.StartupInfo,
                                       &started)) {
        ::CloseHandle(started.hThread);
        return started.hProcess;
    }
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"\u6267\u884c\u9519\u8bef\u7801:%d", static_cast<int>(::GetLastError()));  // 执行错误码
    ::MessageBoxW(nullptr, text, L"\u5347\u7ea7\u63d0\u793a", MB_OK);                                   // 升级提示
    return nullptr;
}
