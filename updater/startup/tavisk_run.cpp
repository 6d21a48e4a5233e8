#include "updater/startup/tavisk_run.h"

#include "skin/files/skin_manage.h"
#include "skin/window/message_loop.h"
#include "updater/dialogs/movrel_dlg.h"
#include "updater/install/main_program.h"
#include "updater/startup/command_line.h"
#include "updater/startup/system_update_check.h"

int RunTavisk(const std::string& arguments,
              int showCommand,
              const CUpdateConfig& config,
              const std::string& officialUrl,
              CSkinManage& skin) {
    const TaviskCommandLine line = ParseTaviskCommandLine(arguments);
    if (line.launcherHandle == 0)
        return 0;  // only a launching program may start an update

    CMessageLoop loop;
    skin.Start();
    RunContext context;
    context.mode = line.manual ? RunMode::kManual : RunMode::kAutomatic;
    DialogContext dialogs;
    dialogs.skin = &skin;
    dialogs.config = &config;
    dialogs.officialUrl = officialUrl;
    SystemUpdateCheck effects(dialogs);
    ManifestRecord manifest;
    if (CheckForUpdate(context, manifest, effects) != kCheckAccepted)
        return 0;

    // The handle value was inherited from the launcher; it is a number in this process's handle table.
    HANDLE launcher = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(line.launcherHandle));
    CMovrelDlg progress(dialogs, {manifest.md5, manifest.sha256}, manifest.urlManual, manifest.urlAuto, launcher);
    HWND window = progress.Create();
    if (!window) {
        StartMainProgram(config, MainProgramStart::kAfterInstall);  // it was closed for the update
        return 0;
    }
    ::ShowWindow(window, showCommand);
    return loop.Run();
}
