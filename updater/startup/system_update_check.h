// The update check's effects on the real system: the settings file, the manifest fetch, the signature
// check through CNG, the product key, the message box and dialogs, and the main program's start in
// update mode. Window thread.
#pragma once
#include "updater/check/update_check.h"
#include "updater/dialogs/updater_dialog.h"

class SystemUpdateCheck : public UpdateCheckEffects {
public:
    explicit SystemUpdateCheck(const DialogContext& context) : m_context(context) {}

    bool MayCheckNow(RunMode mode) override;
    bool FetchManifest() override;
    bool ParseManifest(ManifestRecord& record) override;
    bool VerifySignature(const SignedStatement& statement) override;
    std::string InstalledVersion() override;
    void ShowFetchFailed() override;
    void ShowUpToDate(const std::string& installedVersion) override;
    int ShowPrompt(const PromptRequest& request) override;
    void StartMainProgramForUpdate() override;
    void RememberDelay() override;

private:
    const DialogContext& m_context;
};
