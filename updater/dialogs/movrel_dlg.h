// CMovrelDlg: the modeless progress window of an accepted update. It starts the download task at the end
// of its initialisation, plays a busy animation (timer 1673, "color_1.png" to "color_5.png"), shows the
// task's progress and reacts to its outcome: the manual download dialog, the success notice, or a
// failure box. However the run ends, the product's main program (closed when the user accepted) is
// started again, once. Destroying it ends the thread's message loop. Window thread.
#pragma once
#include "updater/dialogs/down_man_dlg.h"
#include "updater/dialogs/updater_dialog.h"

#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>

class CMovrelDlg : public CUpdaterDialog {
public:
    enum Command : WORD { kCancel = 256 };
    enum : UINT_PTR { kBusyTimer = 1673 };
    enum : UINT { kBusyFrameMs = 50 };
    static constexpr POINT kBusyImageAt = {10, 200};
    static constexpr DWORD kWorkerWaitMs = 120000;

    // `launcher` (borrowed, may be null) is ended before the installer runs.
    CMovrelDlg(const DialogContext& context,
               PackageDigests expected,
               std::string manualUrl,
               std::string packageUrl,
               HANDLE launcher);
    HWND Create() { return CDialogImpl::Create(nullptr); }

    bool HasWorker() const { return static_cast<bool>(m_worker); }
    int BusyFrame() const { return m_busyFrame; }
    const CDownManDlg* ManualDownload() const { return m_manualDownload.get(); }

private:
    void OnInit() override;
    void OnCommand(WORD id) override;
    bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PaintOver(HDC dc) override;

    bool StartTask();
    void SetProgress(int percent);
    void WaitForWorker();  // once: later calls find no worker
    void ShowManualDownload();
    void FinishInstallation();
    void ShowInstallationFailed();
    void BringBackMainProgram();
    void DropQueuedProgress();
    RECT BusyImageRect(int frame) const;  // empty when that frame has no image
    void AdvanceBusyFrame();

    PackageDigests m_expected;
    std::string m_manualUrl;
    std::string m_packageUrl;
    HANDLE m_launcher;  // not owned
    AutoHandle m_worker;
    CancelFlag m_cancel;
    std::array<std::unique_ptr<Gdiplus::Bitmap>, 5> m_busyImages;
    int m_busyFrame = 0;
    bool m_mainProgramStarted = false;
    // Created at initialisation and owned by the shared part; null before.
    SkinButton* m_cancelButton = nullptr;
    SkinProgressBar* m_bar = nullptr;
    SkinText* m_percentText = nullptr;
    std::unique_ptr<CDownManDlg> m_manualDownload;
};
