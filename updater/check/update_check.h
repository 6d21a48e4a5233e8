// The update decision: throttle, fetch, parse, trust, compare, then nothing, a notice, or the prompt. The
// effects (settings, network, registry, dialogs, starting programs) sit behind UpdateCheckEffects so the
// decision itself is plain code. Window thread (the effects show modal dialogs).
#pragma once
#include "updater/check/manifest.h"
#include "updater/check/update_statement.h"

#include <string>

enum class RunMode { kManual = 1, kAutomatic = 2 };

// One per run, owned by the start-up flow.
struct RunContext {
    RunMode mode = RunMode::kAutomatic;
    std::string installedVersion;
    std::string offeredVersion;
};

// Results of CheckForUpdate; any other value is a prompt that could not be shown. All but kAccepted end
// the run.
enum CheckResult : int { kCheckAccepted = 0, kCheckLater = 1, kCheckNothing = 2 };

struct UpdateOffer {
    bool offered = false;
    bool forced = false;  // installed <= condition, as byte strings
};
UpdateOffer DecideOffer(const std::string& installed, const ManifestRecord& manifest);

struct PromptRequest {
    std::string notesUrl;
    std::string offeredVersion;
    std::string sizeText;
    bool forced = false;
};

class UpdateCheckEffects {
public:
    virtual bool MayCheckNow(RunMode mode) = 0;
    virtual bool FetchManifest() = 0;
    virtual bool ParseManifest(ManifestRecord& record) = 0;
    virtual bool VerifySignature(const SignedStatement& statement) = 0;  // with the built-in key
    virtual std::string InstalledVersion() = 0;
    virtual void ShowFetchFailed() = 0;                                  // manual mode only; also when untrusted
    virtual void ShowUpToDate(const std::string& installedVersion) = 0;  // manual mode only
    virtual int ShowPrompt(const PromptRequest& request) = 0;            // 0 update now, 1 later
    virtual void StartMainProgramForUpdate() = 0;
    virtual void RememberDelay() = 0;

protected:
    ~UpdateCheckEffects() = default;
};

// A complete manifest whose statement is missing or does not verify is a failed check: never offered,
// and reported like a failed fetch.
int CheckForUpdate(RunContext& context, ManifestRecord& manifest, UpdateCheckEffects& effects);
