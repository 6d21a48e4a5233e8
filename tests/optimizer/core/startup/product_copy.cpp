#include "tests/optimizer/core/startup/product_copy.h"

#include <algorithm>

#include "common/text_encoding.h"
#include "tests/support/test_folders.h"

// Build paths arrive as narrow literals of Unix paths, reached through drive Z:.
#define SORVIK_WIDEN2(x) L##x
#define SORVIK_WIDEN(x) SORVIK_WIDEN2(x)

namespace {

std::wstring UnixToWindows(const wchar_t* unixPath) {
    std::wstring path = std::wstring(L"Z:") + unixPath;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.back() != L'\\')
        path += L'\\';
    return path;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Copies the files of `from` into `to`, and its sub-folders when `deep`.
bool CopyFolder(const std::wstring& from, const std::wstring& to, bool deep) {
    ::CreateDirectoryW(to.c_str(), nullptr);
    bool ok = true;
    const bool listed = ForEachFolderEntry(from, [&](const std::wstring& name, DWORD attributes) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            ok &= ::CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE) != FALSE;
        else if (deep)
            ok &= CopyFolder(from + name + L"\\", to + name + L"\\", true);
    });
    return listed && ok;
}

}  // namespace

ProductCopy::ProductCopy() : m_folder(CreateFreshTempFolder(L"sorvik_product_")) {
    const std::wstring product = UnixToWindows(SORVIK_WIDEN(SORVIK_PRODUCT_PATH));
    m_complete = CopyFolder(product, m_folder, true);
    // The product's own skin once it has one, the test skin until then.
    if (!Exists(m_folder + L"Sk_sv\\varniosorvik.ini"))
        m_complete &= CopyFolder(UnixToWindows(SORVIK_WIDEN(SORVIK_TEST_SKIN_PATH)), m_folder + L"Sk_sv\\", false);
    m_complete &= ::CopyFileW((UnixToWindows(SORVIK_WIDEN(SORVIK_TAVISK_STANDIN_PATH)) + L"Tavisk.exe").c_str(),
                              (m_folder + L"Tavisk.exe").c_str(), FALSE) != FALSE;
    PointServicesAt("http://127.0.0.1:1");
}

ProductCopy::~ProductCopy() {
    RemoveFolderTree(m_folder);
}

void ProductCopy::PointServicesAt(const std::string& base, const std::string& speedTest) {
    // Port 1 is closed on loopback: requests to the other services fail at once and stay on this machine.
    const std::string closed = "http://127.0.0.1:1";
    const std::string text = "[hosts]\r\nstatistics=" + base + "\r\nip=" + base + "\r\nupdate=" + closed +
                             "\r\nweb=" + closed + "\r\nplugin=" + closed +
                             "\r\nspeedtest=" + (speedTest.empty() ? closed : speedTest) + "\r\n";
    AutoHandle file(::CreateFileW((m_folder + L"service_hosts.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool ProductCopy::Remove(const std::wstring& file) {
    return ::DeleteFileW((m_folder + file).c_str()) != FALSE;
}

AutoHandle ProductCopy::Start(const std::wstring& arguments) const {
    const std::wstring program = m_folder + L"Sorvik.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si,
                          &pi)) {
        return AutoHandle();
    }
    ::CloseHandle(pi.hThread);
    return AutoHandle(pi.hProcess);
}

DWORD ProductCopy::RunToExit(const std::wstring& arguments, DWORD timeoutMs) const {
    AutoHandle process = Start(arguments);
    if (!process || ::WaitForSingleObject(process.Get(), timeoutMs) != WAIT_OBJECT_0) {
        if (process)
            ::TerminateProcess(process.Get(), 9);
        return static_cast<DWORD>(-1);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}
