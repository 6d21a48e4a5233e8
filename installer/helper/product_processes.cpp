#include "installer/helper/product_processes.h"

#include <tlhelp32.h>

#include <algorithm>

#include "common/handles.h"

namespace {

std::wstring Normalised(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring ImagePath(HANDLE process) {
    std::wstring path(32768, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process, 0, &path[0], &length))
        return L"";
    path.resize(length);
    return path;
}

// Opens each listed process that is still the one listed, for waiting and ending.
std::vector<AutoHandle> OpenPrograms(const std::vector<RunningProgram>& programs) {
    std::vector<AutoHandle> handles;
    for (const RunningProgram& program : programs) {
        AutoHandle process(
            ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, program.pid));
        // The id may have been reused by an unrelated process since the list was taken.
        if (process && SameText(ImagePath(process.Get()), program.image))
            handles.push_back(std::move(process));
    }
    return handles;
}

bool WaitForAll(const std::vector<AutoHandle>& handles, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (const AutoHandle& process : handles) {
        const DWORD spent = ::GetTickCount() - start;
        const DWORD left = spent < timeoutMs ? timeoutMs - spent : 0;
        if (::WaitForSingleObject(process.Get(), left) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

}  // namespace

bool IsInFolder(const std::wstring& imagePath, const std::wstring& folder) {
    const std::wstring dir = Normalised(folder);
    const std::wstring image = Normalised(imagePath);
    if (dir.empty() || image.size() <= dir.size() + 1 || image[dir.size()] != L'\\')
        return false;
    return SameText(image.substr(0, dir.size()), dir);
}

DWORD ParentProcessId() {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId())
            return entry.th32ParentProcessID;
    }
    return 0;
}

std::vector<RunningProgram> RunningPrograms(const std::wstring& exeName) {
    std::vector<RunningProgram> programs;
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return programs;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == ::GetCurrentProcessId() || entry.th32ProcessID == 0)
            continue;
        if (!exeName.empty() && !SameText(entry.szExeFile, exeName))
            continue;
        AutoHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (!process)
            continue;
        std::wstring image = ImagePath(process.Get());
        if (!image.empty())
            programs.push_back({entry.th32ProcessID, std::move(image)});
    }
    return programs;
}

std::vector<RunningProgram> ProgramsInFolder(const std::vector<RunningProgram>& programs,
                                             const std::wstring& folder,
                                             const std::wstring& exeName) {
    std::vector<RunningProgram> inFolder;
    for (const RunningProgram& program : programs) {
        if (!IsInFolder(program.image, folder))
            continue;
        const std::wstring name = program.image.substr(program.image.find_last_of(L"\\/") + 1);
        if (exeName.empty() || SameText(name, exeName))
            inFolder.push_back(program);
    }
    return inFolder;
}

bool WaitForPrograms(const std::vector<RunningProgram>& programs, DWORD timeoutMs) {
    return WaitForAll(OpenPrograms(programs), timeoutMs);
}

bool EndPrograms(const std::vector<RunningProgram>& programs, DWORD timeoutMs) {
    const std::vector<AutoHandle> handles = OpenPrograms(programs);
    for (const AutoHandle& process : handles)
        ::TerminateProcess(process.Get(), 0);
    return WaitForAll(handles, timeoutMs);
}
