// The installer's helper, for what the installer script cannot do cleanly. Run hidden, one command:
//   close <folder>         end a running Sorvik and game mode's effects before files are replaced
//   close-all <folder>     the same, and end every other program running from the folder
//   write-config <folder>  write the updater's configuration from the folder's service addresses
// Exit code 0 on success, 1 for a wrong command line, 2 when a program could not be ended, 3 when the
// configuration could not be written.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "common/handles.h"
#include "common/service_hosts.h"
#include "installer/helper/close_product.h"
#include "installer/helper/update_config.h"

namespace {

enum ExitCode { kOk = 0, kUsage = 1, kStillRunning = 2, kNotWritten = 3 };

// Writes beside the target first, so that a failure never leaves half a document behind.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring partial = path + L".new";
    {
        AutoHandle file(
            ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            file.Reset();
            ::DeleteFileW(partial.c_str());
            return false;
        }
    }
    if (::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    ::DeleteFileW(partial.c_str());
    return false;
}

bool WriteUpdateConfig(const std::wstring& folder) {
    const ServiceHosts hosts = LoadServiceHosts(folder + L"\\service_hosts.ini");
    ::CreateDirectoryW((folder + L"\\" + kUpdateConfigFolder).c_str(), nullptr);
    return WriteWholeFile(folder + L"\\" + kUpdateConfigFile, UpdateConfigDocument(ProductUpdateConfig(hosts)));
}

int Run(const std::wstring& command, std::wstring folder) {
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    if (folder.empty())
        return kUsage;
    if (command == L"close")
        return CloseProduct(folder, false) ? kOk : kStillRunning;
    if (command == L"close-all")
        return CloseProduct(folder, true) ? kOk : kStillRunning;
    if (command == L"write-config")
        return WriteUpdateConfig(folder) ? kOk : kNotWritten;
    return kUsage;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv)
        return kUsage;
    // The shell is asked to start Sorvik.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const int code = argc == 3 ? Run(argv[1], argv[2]) : kUsage;
    if (SUCCEEDED(com))
        ::CoUninitialize();
    ::LocalFree(argv);
    return code;
}
