// CDownManDlg: offered when the package could not be downloaded or verified; modeless, owned by the
// (hidden) progress window. Its button opens the manual download page and ends the run; closing it ends
// the process with -1, after `beforeExit`. Window thread.
#pragma once
#include "updater/dialogs/updater_dialog.h"

#include <functional>

class CDownManDlg : public CUpdaterDialog {
public:
    enum Command : WORD { kDownloadByHand = 512 };

    CDownManDlg(const DialogContext& context, std::string manualUrl, std::function<void()> beforeExit = nullptr);

private:
    void OnInit() override;
    void OnCommand(WORD id) override;
    void EndRun() const;

    std::string m_manualUrl;
    std::function<void()> m_beforeExit;
};
