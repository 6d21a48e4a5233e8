#include "updater/startup/system_update_check.h"

#include "common/text_encoding.h"
#include "updater/check/manifest_fetch.h"
#include "updater/check/throttle.h"
#include "updater/check/update_signature.h"
#include "updater/config/movrel_settings.h"
#include "updater/config/product_key.h"
#include "updater/config/update_config.h"
#include "updater/dialogs/no_movrel_dlg.h"
#include "updater/dialogs/update_prompt_dlg.h"
#include "updater/install/main_program.h"

bool SystemUpdateCheck::MayCheckNow(RunMode mode) {
    const std::string stored = ReadCheckTime(MovrelSettingsPath());
    return ::MayCheckNow(mode == RunMode::kManual, ParseCheckTime(stored.c_str()), UnixTimeNow());
}

bool SystemUpdateCheck::FetchManifest() {
    return ::FetchManifest(*m_context.config);
}

bool SystemUpdateCheck::ParseManifest(ManifestRecord& record) {
    const std::wstring path = LocalManifestPath(*m_context.config);
    return !path.empty() && ParseManifestFile(path, record);
}

bool SystemUpdateCheck::VerifySignature(const SignedStatement& statement) {
    return VerifyWithUpdateKey(statement);
}

std::string SystemUpdateCheck::InstalledVersion() {
    return ReadProductText(SplitProductKey(m_context.config->Get(config_key::kRegKey)), "version");
}

void SystemUpdateCheck::ShowFetchFailed() {
    const std::wstring caption = AnsiToWide(m_context.config->Get(config_key::kShowName)) + L"升级提示";
    ::MessageBoxW(nullptr, L"升级检测失败", caption.c_str(), MB_OK);
}

void SystemUpdateCheck::ShowUpToDate(const std::string& installedVersion) {
    CNoMovrelDlg(m_context, installedVersion).DoModal(::GetActiveWindow());
}

int SystemUpdateCheck::ShowPrompt(const PromptRequest& request) {
    return static_cast<int>(CUpdatePromptDlg(m_context, request).DoModal(::GetActiveWindow()));
}

void SystemUpdateCheck::StartMainProgramForUpdate() {
    StartMainProgram(*m_context.config, MainProgramStart::kUpdateMode);
}

void SystemUpdateCheck::RememberDelay() {
    WriteCheckTime(MovrelSettingsPath(), UnixTimeNow());
}
