#include "updater/check/update_check.h"

UpdateOffer DecideOffer(const std::string& installed, const ManifestRecord& manifest) {
    UpdateOffer offer;
    offer.offered = VersionLess(installed, manifest.version);
    offer.forced = offer.offered && !VersionLess(manifest.condition, installed);
    return offer;
}

int CheckForUpdate(RunContext& context, ManifestRecord& manifest, UpdateCheckEffects& effects) {
    const bool manual = context.mode == RunMode::kManual;
    if (!effects.MayCheckNow(context.mode))
        return kCheckNothing;
    if (!effects.FetchManifest()) {
        if (manual)
            effects.ShowFetchFailed();
        return kCheckNothing;
    }
    if (!effects.ParseManifest(manifest))
        return kCheckNothing;
    SignedStatement statement;
    if (!SignedStatementOf(manifest, &statement) || !effects.VerifySignature(statement)) {
        if (manual)
            effects.ShowFetchFailed();
        return kCheckNothing;
    }
    context.installedVersion = effects.InstalledVersion();
    context.offeredVersion = manifest.version;

    const UpdateOffer offer = DecideOffer(context.installedVersion, manifest);
    if (!offer.offered) {
        if (manual)
            effects.ShowUpToDate(context.installedVersion);
        return kCheckNothing;
    }
    const int answer = effects.ShowPrompt({manifest.urlTip, manifest.version, manifest.bufSize, offer.forced});
    if (answer == kCheckAccepted) {
        effects.StartMainProgramForUpdate();
    } else if (answer == kCheckLater) {
        effects.RememberDelay();
    }
    return answer;
}
