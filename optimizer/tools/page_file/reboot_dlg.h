// CReBootDlg: the prompt after a page-file change, offering to restart Windows now or later. An
// unowned layered dialog ("reboot_text.png" carries the prompt) centred on the work area of the monitor
// of the window it was opened from; created once, then shown and hidden. Restarting goes through
// RestartWindows. Window thread only.
#pragma once
#include "optimizer/tools/page_file/layered_skin_dlg.h"

class CReBootDlg : public CLayeredSkinDlg {
public:
    // "稍后重启" posts the close command too; 1603 hides the prompt as well.
    enum Commands : WORD { kCloseCommand = 1601, kRestartNowCommand = 1602, kRestartLaterCommand = 1603 };

    CReBootDlg();
    // `nearWindow`: a window on the monitor to appear on (may be null). False when it cannot be made.
    bool Create(HWND nearWindow);

private:
    void OnInit() override;
    void DrawContent(HDC dc) override;
    void OnCommand(WORD id) override;

    HWND m_near = nullptr;  // not owned; only read while creating
    Gdiplus::Image* m_prompt = nullptr;
};
