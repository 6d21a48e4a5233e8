#include "tests/optimizer/tools/repair/cache_sandbox.h"

#include <winioctl.h>

#include <cstring>
#include <cwctype>
#include <vector>

#include "tests/support/test_folders.h"

namespace {

typedef char*(CDECL* UnixNameFn)(LPCWSTR);
typedef WCHAR*(CDECL* DosNameFn)(LPCSTR);

template <typename Fn>
Fn WineExport(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

bool IsWine() {
    return WineExport<UnixNameFn>("wine_get_unix_file_name") != nullptr;
}

std::wstring Quoted(const std::string& hostPath) {
    return L"\"" + std::wstring(hostPath.begin(), hostPath.end()) + L"\"";
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    return ::GetEnvironmentVariableW(name, value, MAX_PATH) ? value : L"";
}

void Restore(const wchar_t* name, const std::wstring& value) {
    ::SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

bool MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr))
        return false;
    HANDLE handle = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // REPARSE_DATA_BUFFER of a mount point: substitute name "\??\target", then an empty print name.
    const std::wstring substitute = L"\\??\\" + target;
    const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 * sizeof(wchar_t));
    DWORD* tag = reinterpret_cast<DWORD*>(buffer.data());
    WORD* words = reinterpret_cast<WORD*>(buffer.data() + 4);
    *tag = IO_REPARSE_TAG_MOUNT_POINT;
    words[0] = static_cast<WORD>(buffer.size() - 8);    // data length
    words[2] = 0;                                       // substitute offset
    words[3] = substituteBytes;                         // substitute length
    words[4] = static_cast<WORD>(substituteBytes + 2);  // print name offset
    words[5] = 0;                                       // print name length
    std::memcpy(buffer.data() + 16, substitute.c_str(), substituteBytes);
    DWORD returned = 0;
    const BOOL made = ::DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                        static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
    ::CloseHandle(handle);
    if (!made)
        ::RemoveDirectoryW(link.c_str());
    return made != FALSE;
}

}  // namespace

std::string HostPath(const std::wstring& path) {
    const UnixNameFn unixName = WineExport<UnixNameFn>("wine_get_unix_file_name");
    if (!unixName)
        return {};
    char* name = unixName(path.c_str());
    if (!name)
        return {};
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

bool RunHostCommand(const std::wstring& command) {
    const DosNameFn dosName = WineExport<DosNameFn>("wine_get_dos_file_name");
    if (!dosName)
        return false;
    WCHAR* dos = dosName("/bin/sh");
    if (!dos)
        return false;
    const std::wstring shell = dos;
    ::HeapFree(::GetProcessHeap(), 0, dos);
    // Wine hands out no handle to wait on for a host program, so the command leaves a file behind when done.
    static int s_next = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    const std::wstring done = std::wstring(temp) + L"host_command_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                              std::to_wstring(now.QuadPart) + L"_" + std::to_wstring(++s_next);
    std::wstring line = L"sh -c \"" + command + L"; touch " + Quoted(HostPath(done)) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(shell.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    // Wine fills in no usable handles for a host program (the thread's is not ours to close): none are closed.
    for (int waited = 0; waited < 10000; waited += 10) {
        if (::DeleteFileW(done.c_str()))
            return true;
        ::Sleep(10);
    }
    return false;
}

CCacheSandbox::CCacheSandbox() : m_root(CreateFreshTempFolder(L"cache_test_")) {}

CCacheSandbox::~CCacheSandbox() {
    if (m_redirected) {
        Restore(L"APPDATA", m_savedAppData);
        Restore(L"TMP", m_savedTmp);
        Restore(L"TEMP", m_savedTemp);
    }
    const std::wstring root = m_root.substr(0, m_root.size() - 1);
    // On Wine a symbolic link is removed by the host's own rm, which never follows one.
    const std::string host = HostPath(root);
    if (host.find("/cache_test_") != std::string::npos)
        RunHostCommand(L"rm -rf " + Quoted(host));
    if (::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES)
        RemoveFolderTree(root);
}

std::wstring CCacheSandbox::Path(const std::wstring& relative) const {
    return relative.empty() ? m_root.substr(0, m_root.size() - 1) : m_root + relative;
}

void CCacheSandbox::AddFolder(const std::wstring& relative) const {
    for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos; slash = relative.find(L'\\', slash + 1)) {
        ::CreateDirectoryW(Path(relative.substr(0, slash)).c_str(), nullptr);
    }
    ::CreateDirectoryW(Path(relative).c_str(), nullptr);
}

void CCacheSandbox::AddFile(const std::wstring& relative, size_t bytes) const {
    const std::wstring path = Path(relative);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const size_t slash = relative.rfind(L'\\');
    if (file == INVALID_HANDLE_VALUE && slash != std::wstring::npos) {
        AddFolder(relative.substr(0, slash));
        file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::vector<char> data(bytes, 'c');
    DWORD written = 0;
    if (bytes)
        ::WriteFile(file, data.data(), static_cast<DWORD>(bytes), &written, nullptr);
    ::CloseHandle(file);
}

bool CCacheSandbox::Exists(const std::wstring& relative) const {
    return ::GetFileAttributesW(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

size_t CCacheSandbox::CountFiles(const std::wstring& relative) const {
    size_t count = 0;
    std::vector<std::wstring> pending{Path(relative)};
    while (!pending.empty()) {
        const std::wstring folder = pending.back();
        pending.pop_back();
        ForEachFolderEntry(folder, [&](const std::wstring& name, DWORD attributes) {
            if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                return;
            if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                pending.push_back(folder + L"\\" + name);
            else
                ++count;
        });
    }
    return count;
}

void CCacheSandbox::RedirectUserFolders() {
    if (!m_redirected) {
        m_savedAppData = Environment(L"APPDATA");
        m_savedTmp = Environment(L"TMP");
        m_savedTemp = Environment(L"TEMP");
        m_redirected = true;
    }
    AddFolder(L"appdata");
    AddFolder(L"temp");
    ::SetEnvironmentVariableW(L"APPDATA", Path(L"appdata").c_str());
    ::SetEnvironmentVariableW(L"TMP", (Path(L"temp") + L"\\").c_str());
    ::SetEnvironmentVariableW(L"TEMP", (Path(L"temp") + L"\\").c_str());
}

void CCacheSandbox::WriteCacheSetting(const wchar_t* value) const {
    const std::wstring folder = L"appdata\\Varnio\\data\\Setting";
    AddFolder(folder);
    const std::wstring file = Path(folder + L"\\sc_center.ini");
    ::DeleteFileW(file.c_str());
    if (value)
        ::WritePrivateProfileStringW(L"SETTING", L"VARNIOCACHE", value, file.c_str());
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush the profile cache
}

bool CCacheSandbox::MakeFolderLink(const std::wstring& link, const std::wstring& target) const {
    if (MakeJunction(Path(link), Path(target)))
        return true;
    if (!IsWine())
        return false;
    RunHostCommand(L"ln -s " + Quoted(HostPath(Path(target))) + L" " + Quoted(HostPath(Path(link))));
    const DWORD attributes = ::GetFileAttributesW(Path(link).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

CSandboxDrive::CSandboxDrive(const CCacheSandbox& sandbox) {
    sandbox.AddFile(L"drive\\root_marker", 10);
    sandbox.AddFolder(L"drive\\inside");
    const DWORD used = ::GetLogicalDrives();
    for (wchar_t letter = L'R'; letter <= L'Y' && !m_letter; ++letter) {
        const std::wstring root = std::wstring(1, letter) + L":\\";
        if (!(used & (1u << (letter - L'A'))) && ::GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES) {
            m_letter = letter;
        }
    }
    if (!m_letter)
        return;
    const std::wstring drive = Letter();
    const std::wstring marker = drive + L"\\root_marker";
    if (!::DefineDosDeviceW(0, drive.c_str(), sandbox.Path(L"drive").c_str()) ||
        ::GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, drive.c_str(), nullptr);
        // Wine keeps its drive letters as links in the prefix's "dosdevices" folder, beside "c:".
        std::string devices = HostPath(L"C:\\");
        const size_t cut = devices.rfind("/c:");
        if (cut == std::string::npos)
            return;
        m_unixLink = devices.substr(0, cut) + "/" + char(std::towlower(m_letter)) + ":";
        RunHostCommand(L"ln -sfn " + Quoted(HostPath(sandbox.Path(L"drive"))) + L" " + Quoted(m_unixLink));
    }
    wchar_t saved[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    m_savedDirectory = saved;
    wchar_t root[MAX_PATH] = {};
    m_ready = ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES &&
              ::SetCurrentDirectoryW((drive + L"\\inside").c_str()) &&
              ::GetFullPathNameW(L"\\", MAX_PATH, root, nullptr) && drive + L"\\" == root;
}

CSandboxDrive::~CSandboxDrive() {
    if (!m_savedDirectory.empty())
        ::SetCurrentDirectoryW(m_savedDirectory.c_str());
    if (!m_letter)
        return;
    if (m_unixLink.empty()) {
        ::DefineDosDeviceW(DDD_REMOVE_DEFINITION, Letter().c_str(), nullptr);
    } else {
        RunHostCommand(L"rm -f " + Quoted(m_unixLink));
    }
}
