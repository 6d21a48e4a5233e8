#include "tests/installer/installer_harness.h"

#include <shlobj.h>

#include <algorithm>

#include "common/registry_text.h"
#include "installer/helper/product_processes.h"
#include "tests/support/built_file.h"
#include "tests/support/test_folders.h"

namespace {

constexpr DWORD kRunLimitMs = 60000;  // a bound for a stuck installer, not an expected duration

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR raw = nullptr;
    std::wstring path;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &raw)))
        path = raw;
    ::CoTaskMemFree(raw);
    return path;
}

DWORD RunAndWait(const std::wstring& program, const std::wstring& arguments) {
    AutoHandle process = StartProgram(program, arguments);
    if (!process)
        return static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.Get(), kRunLimitMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), static_cast<UINT>(-1));  // a page waiting for a click, say
        return static_cast<DWORD>(-1);
    }
    DWORD code = static_cast<DWORD>(-1);
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

void CollectFiles(const std::wstring& root, const std::wstring& relative, std::vector<std::wstring>& files) {
    ForEachFolderEntry(root + relative, [&](const std::wstring& name, DWORD attributes) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(root, relative + name + L"\\", files);
        else
            files.push_back(relative + name);
    });
}

}  // namespace

std::wstring BuiltInstaller() {
    return BuiltFilePath(SORVIK_INSTALLER_PATH);
}
std::wstring BuiltProductFolder() {
    return BuiltFilePath(SORVIK_PRODUCT_PATH);
}

std::wstring DefaultInstallFolder() {
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Sorvik";
}
std::wstring StartMenuShortcut() {
    return KnownFolder(FOLDERID_Programs) + L"\\Sorvik.lnk";
}

std::wstring ShortcutTarget(const std::wstring& link) {
    IShellLinkW* shellLink = nullptr;
    wchar_t target[MAX_PATH] = {};
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                     reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
                shellLink->GetPath(target, MAX_PATH, nullptr, 0);
            file->Release();
        }
        shellLink->Release();
    }
    return target;
}

DWORD RunInstaller(const std::wstring& arguments) {
    return RunAndWait(BuiltInstaller(), arguments);
}

DWORD RunUninstaller(const std::wstring& folder) {
    // Run from its folder, the uninstaller hands over to a copy of itself and returns at once; a copy
    // of our own told where the installation is ("_?=") runs to its end.
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring copy =
        std::wstring(temp) + L"sorvik_uninstall_" + std::to_wstring(::GetCurrentProcessId()) + L".exe";
    if (!::CopyFileW((folder + L"\\Uninstall.exe").c_str(), copy.c_str(), FALSE))
        return static_cast<DWORD>(-1);
    const DWORD code = RunAndWait(copy, L"/S _?=" + folder);
    ::DeleteFileW(copy.c_str());
    return code;
}

void RemoveInstallation() {
    const std::wstring folder = DefaultInstallFolder();
    if (Exists(folder + L"\\Uninstall.exe"))
        RunUninstaller(folder);
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_SET_VALUE, &raw) == ERROR_SUCCESS) {
        AutoRegKey key(raw);
        for (const char* name : {"version", "path", "pkgname", "uuid", "boost_stopped"})
            ::RegDeleteValueA(key.Get(), name);
    }
}

AutoHandle StartProgram(const std::wstring& path, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return AutoHandle();
    }
    ::CloseHandle(info.hThread);
    return AutoHandle(info.hProcess);
}

bool IsRunningFrom(const std::wstring& folder) {
    return !ProgramsInFolder(RunningPrograms(), folder).empty();
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FilesBelow(const std::wstring& folder) {
    std::vector<std::wstring> files;
    CollectFiles(folder + L"\\", L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::string ProductValue(const char* name) {
    return ReadRegistryText(HKEY_CURRENT_USER, kProductKey, name);
}
