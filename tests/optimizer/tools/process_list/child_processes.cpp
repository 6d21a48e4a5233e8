#include "tests/optimizer/tools/process_list/child_processes.h"

#include "skin/files/skin_paths.h"

ChildProcesses::~ChildProcesses() {
    for (Child& child : m_children) {
        if (::WaitForSingleObject(child.process.Get(), 0) == WAIT_TIMEOUT)
            ::TerminateProcess(child.process.Get(), 0);
        ::WaitForSingleObject(child.process.Get(), 5000);
    }
    m_children.clear();  // the files can go once no copy runs them; TempFolder removes them
}

HANDLE ChildProcesses::Start(const std::wstring& exeName) {
    const std::wstring path = m_folder.Path(exeName);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !::CopyFileW((ProgramFolder() + L"\\process_list_child.exe").c_str(), path.c_str(), TRUE))
        return nullptr;
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return nullptr;
    ::CloseHandle(info.hThread);
    ::WaitForInputIdle(info.hProcess, 5000);
    m_children.push_back({exeName, AutoHandle(info.hProcess)});
    return info.hProcess;
}

bool ChildProcesses::AllEnded(const std::wstring& exeName, DWORD ms) const {
    const DWORD start = ::GetTickCount();
    for (const Child& child : m_children) {
        if (child.exeName != exeName)
            continue;
        const DWORD spent = ::GetTickCount() - start;
        if (::WaitForSingleObject(child.process.Get(), spent < ms ? ms - spent : 0) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

DWORD ChildId(HANDLE process) {
    return ::GetProcessId(process);
}
