// Tavisk, the updater: start-up and shutdown around one run.
#include "common/handles.h"
#include "common/text_encoding.h"
#include "skin/files/gdiplus_session.h"
#include "skin/files/skin_manage.h"
#include "skin/web_pane/ax_container.h"
#include "updater/config/update_config.h"
#include "updater/config/updater_folders.h"
#include "updater/startup/tavisk_run.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int showCommand) {
    CUpdateConfig config;
    config.Load(ConfigFolder() + L"update_config.xml");  // a missing document leaves every key empty
    const std::string mutexName = config.Get(config_key::kMutex);
    const std::string officialUrl = config.Get(config_key::kOfficialUrl);

    ::SetLastError(ERROR_SUCCESS);
    const std::wstring wideMutexName = AnsiToWide(mutexName);
    AutoHandle mutex(::CreateMutexW(nullptr, FALSE, wideMutexName.empty() ? nullptr : wideMutexName.c_str()));
    if (::GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;  // another updater of this product is running

    int exitCode = 0;
    {
        ScopedGdiplus gdiplus;
        const HRESULT ole = ::OleInitialize(nullptr);
        INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
        ::InitCommonControlsEx(&controls);
        ax_container::ClassName();  // hosting for the prompt's web pane
        CSkinManage skin;
        exitCode = RunTavisk(WideToAnsi(arguments ? arguments : L""), showCommand, config, officialUrl, skin);
        skin.Teardown();
        if (SUCCEEDED(ole))
            ::OleUninitialize();
    }
    return exitCode;
}
