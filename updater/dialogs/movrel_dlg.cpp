#include "updater/dialogs/movrel_dlg.h"

#include "common/text_encoding.h"
#include "resources/tavisk/tavisk_resource.h"
#include "skin/controls/button.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/skin_draw.h"
#include "skin/controls/text.h"
#include "skin/files/image_list.h"
#include "updater/config/update_config.h"
#include "updater/dialogs/update_suc_dlg.h"
#include "updater/install/main_program.h"
#include "updater/install/movrel_messages.h"

CMovrelDlg::CMovrelDlg(const DialogContext& context,
                       PackageDigests expected,
                       std::string manualUrl,
                       std::string packageUrl,
                       HANDLE launcher)
    : CUpdaterDialog(IDD_MOVREL, context, L"mainform.ini", L"movreldlg.ini", true),
      m_expected(std::move(expected)),
      m_manualUrl(std::move(manualUrl)),
      m_packageUrl(std::move(packageUrl)),
      m_launcher(launcher) {}

void CMovrelDlg::OnInit() {
    m_cancelButton = AddButton(L"CanelBtn", kCancel);
    m_bar = AddProgressBar(L"ProgressBar", 0xFFFF);
    AddText(L"ProgressTipText");
    m_percentText = AddText(L"ProgressText");
    SetProgress(0);
    ::SetWindowTextW(m_hWnd, AnsiToWide(m_context.config->Get(config_key::kShowName)).c_str());

    for (size_t i = 0; i < m_busyImages.size(); ++i) {
        m_busyImages[i] = LoadSkinBitmap(SkinFolder() + L"color_" + std::to_wstring(i + 1) + L".png");
    }
    ::SetTimer(m_hWnd, kBusyTimer, kBusyFrameMs, nullptr);
    StartTask();
}

bool CMovrelDlg::StartTask() {
    if (m_worker)
        return true;
    m_cancel = std::make_shared<std::atomic<long>>(0);
    m_worker = m_context.startTask(m_hWnd, m_cancel, m_packageUrl, m_expected, m_launcher);
    if (!m_worker)
        m_cancel.reset();
    return static_cast<bool>(m_worker);
}

void CMovrelDlg::SetProgress(int percent) {
    if (percent < 0 || percent > 100)
        return;
    if (m_bar)
        m_bar->SetPos(percent);
    wchar_t text[20] = {};
    swprintf(text, 20, L"%d%%", percent);
    if (m_percentText)
        m_percentText->SetText(text);
}

void CMovrelDlg::WaitForWorker() {
    // A worker stuck past the bound is left to finish or to die with the process; nothing here needs it.
    if (m_worker)
        ::WaitForSingleObject(m_worker.Get(), kWorkerWaitMs);
    m_worker.Reset();
}

void CMovrelDlg::ShowManualDownload() {
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (m_manualDownload)
        return;
    // Its close ends the process at once, so the product comes back first.
    m_manualDownload = std::make_unique<CDownManDlg>(m_context, m_manualUrl, [this] { BringBackMainProgram(); });
    HWND manual = m_manualDownload->Create(m_hWnd);
    if (!manual) {
        ::DestroyWindow(m_hWnd);  // nothing left to show: the run ends rather than linger unseen
        return;
    }
    ::ShowWindow(manual, SW_SHOWNORMAL);
}

void CMovrelDlg::FinishInstallation() {
    SetProgress(100);
    ::ShowWindow(m_hWnd, SW_HIDE);
    CUpdateSucDlg(m_context).DoModal(m_hWnd);
    BringBackMainProgram();
    ::DestroyWindow(m_hWnd);
}

void CMovrelDlg::ShowInstallationFailed() {
    WaitForWorker();
    // The topmost progress window would cover the box.
    ::ShowWindow(m_hWnd, SW_HIDE);
    const std::wstring text = AnsiToWide(m_context.config->Get(config_key::kShowName)) + L"升级安装失败";
    ::MessageBoxW(nullptr, text.c_str(), L"错误", MB_OK);
    ::DestroyWindow(m_hWnd);
}

void CMovrelDlg::BringBackMainProgram() {
    if (m_mainProgramStarted)
        return;
    m_mainProgramStarted = true;
    StartMainProgram(*m_context.config, MainProgramStart::kAfterInstall);
}

void CMovrelDlg::DropQueuedProgress() {
    // Posted records still queued would be discarded with the window; free them first.
    MSG msg;
    while (::PeekMessageW(&msg, m_hWnd, WM_MOVREL_PROGRESS, WM_MOVREL_PROGRESS, PM_REMOVE))
        delete reinterpret_cast<DownloadProgress*>(msg.wParam);
}

void CMovrelDlg::OnCommand(WORD id) {
    if (id == kCancel) {
        if (m_worker && m_cancel) {
            RequestCancel(*m_cancel);  // refused once the installer runs; the button is spent either way
            if (m_cancelButton)
                m_cancelButton->Enable(false);
        } else {
            ::DestroyWindow(m_hWnd);
        }
    } else if (id == IDCANCEL) {
        // Closing only puts the window aside; the download goes on.
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

bool CMovrelDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_MOVREL_PROGRESS: {
            std::unique_ptr<DownloadProgress> record(reinterpret_cast<DownloadProgress*>(wParam));
            if (record)
                SetProgress(DownloadPercent(record->total, record->now));
            return true;
        }
        case WM_MOVREL_FAILED:
            ShowManualDownload();
            return true;
        case WM_MOVREL_INSTALLED:
            FinishInstallation();
            return true;
        case WM_MOVREL_INSTALLING:
            if (m_cancelButton)
                m_cancelButton->Enable(false);
            return true;
        case WM_MOVREL_CANNOT_INSTALL:
            ShowInstallationFailed();
            return true;
        case WM_MOVREL_END:
            WaitForWorker();
            ::DestroyWindow(m_hWnd);
            return true;
        case WM_MOVREL_WORKER_DONE:
            WaitForWorker();
            m_cancel.reset();
            return true;
        case WM_TIMER:
            if (wParam != kBusyTimer)
                return false;
            AdvanceBusyFrame();
            return true;
        case WM_DESTROY:
            ::KillTimer(m_hWnd, kBusyTimer);
            WaitForWorker();
            DropQueuedProgress();
            BringBackMainProgram();  // every ending but success; that one has done it already
            ::PostQuitMessage(0);
            return false;  // the shared part removes the message filter
        default:
            return false;
    }
}

RECT CMovrelDlg::BusyImageRect(int frame) const {
    Gdiplus::Bitmap* image = m_busyImages[frame].get();
    return {kBusyImageAt.x, kBusyImageAt.y, kBusyImageAt.x + static_cast<LONG>(SkinImageWidth(image)),
            kBusyImageAt.y + static_cast<LONG>(SkinImageHeight(image))};
}

void CMovrelDlg::AdvanceBusyFrame() {
    RECT area = BusyImageRect(m_busyFrame);
    m_busyFrame = (m_busyFrame + 1) % static_cast<int>(m_busyImages.size());
    const RECT next = BusyImageRect(m_busyFrame);
    ::UnionRect(&area, &area, &next);
    ::InvalidateRect(m_hWnd, &area, FALSE);
}

void CMovrelDlg::PaintOver(HDC dc) {
    const RECT at = BusyImageRect(m_busyFrame);
    if (::IsRectEmpty(&at))
        return;
    Gdiplus::Graphics graphics(dc);
    DrawImagePart(graphics, m_busyImages[m_busyFrame].get(), at, 0, 0, at.right - at.left, at.bottom - at.top);
}
