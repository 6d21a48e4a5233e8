#include "updater/install/main_program.h"

#include "common/handles.h"
#include "common/text_encoding.h"
#include "updater/config/product_key.h"
#include "updater/config/update_config.h"

#include <windows.h>

#include <shellapi.h>

std::wstring MainProgramPath(const CUpdateConfig& config) {
    const ProductKey key = SplitProductKey(config.Get(config_key::kRegKey));
    const std::string folder = ReadProductText(key, config.Get(config_key::kRegVar));
    const std::string name = config.Get(config_key::kAppName);
    if (folder.empty() || name.empty())
        return {};
    const std::wstring path = AnsiToWide(folder) + L"\\" + AnsiToWide(name);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return path;
}

bool StartMainProgram(const CUpdateConfig& config, MainProgramStart how) {
    const std::wstring path = MainProgramPath(config);
    if (path.empty())
        return false;
    SHELLEXECUTEINFOW info = {sizeof(info)};
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    if (how == MainProgramStart::kUpdateMode) {
        info.lpParameters = L"update";
        info.nShow = SW_HIDE;
    } else {
        info.fMask |= SEE_MASK_FLAG_DDEWAIT;
        info.nShow = SW_SHOWNORMAL;
    }
    const bool started = ::ShellExecuteExW(&info) != FALSE;
    AutoHandle process(info.hProcess);  // the updater does not wait for the program
    return started;
}
