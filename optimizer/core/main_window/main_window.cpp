// CMainWindow: construction, creation in its ten steps, the message map and the shutdown.
#include "optimizer/core/main_window/main_window.h"

#include "skin/files/ini_snapshot.h"

#include <cstdlib>

#include "optimizer/core/game_mode/game_mode_services.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/main_window/main_window_layout.h"
#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_messages.h"
#include "optimizer/core/startup/single_instance.h"
#include "optimizer/core/startup/statistics_thread.h"
#include "optimizer/core/tray/tray_texts.h"
#include "optimizer/tools/page_file/memory_dlg.h"
#include "skin/controls/control_ids.h"
#include "skin/files/skin_paths.h"
#include "skin/message_box/message_box_dlg.h"
#include "skin/web_pane/browser.h"

namespace {
const wchar_t kTitle[] = L"Sorvik";

// Milliseconds since the last call, for the creation's phase figures.
class CPhaseClock {
public:
    CPhaseClock() { ::QueryPerformanceCounter(&m_last); }
    double Lap() {
        LARGE_INTEGER now, frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        const double ms = double(now.QuadPart - m_last.QuadPart) * 1000.0 / double(frequency.QuadPart);
        m_last = now;
        return ms;
    }

private:
    LARGE_INTEGER m_last;
};
}  // namespace

MainWindowSettings DefaultMainWindowSettings() {
    MainWindowSettings settings;
    settings.programFolder = ProgramFolder() + L"\\";
    settings.services = &CServiceEnumer::Instance();
    return settings;
}

CMainWindow::CMainWindow(MainWindowSettings settings) : m_settings(std::move(settings)) {
    m_hosts = LoadServiceHosts(m_settings.programFolder + L"service_hosts.ini");
}

CMainWindow::~CMainWindow() {
    // Threads still running are left to the end of the process: each gets 1 ms.
    m_repairWorker.Release();
    m_serviceWorker.Detach();
    if (m_memoryWorker)
        ::WaitForSingleObject(m_memoryWorker.Get(), 1);
    m_tray.Delete();
    m_webPane.reset();
}

void CMainWindow::BeginCreation() {
    if (m_creationBegun)
        return;
    m_creationBegun = true;
    // 4, begun here: the snapshot is nearly all round trips to the service manager, the longest part of
    // the creation. Counts and score follow once it is back, before anything is shown.
    if (CServiceEnumer* services = m_settings.services)
        m_serviceSnapshot.Start([services] { services->Refresh(); });
    m_creationIni = std::make_unique<ScopedIniSnapshot>();
    if (!m_settings.serialImages)
        m_skin.BeginImages(SkinFolder());
}

std::wstring CMainWindow::SkinFolder() const {
    return m_settings.programFolder + L"Sk_sv\\";
}

HWND CMainWindow::CreateMainWindow() {
    return Create(nullptr, kTitle, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW, 0, 0,
                  kMainWindowWidth, kMainWindowHeight);
}

HWND CMainWindow::WebPane() const {
    return m_webPane ? m_webPane->GetHwnd() : nullptr;
}

LRESULT CMainWindow::PreProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    m_skin.Forward(MouseTargets(m_page, m_game.m_gameMode, m_pageFileWarning), hwnd, message, wParam, lParam);
    return 0;
}

bool CMainWindow::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CREATE:
            result = OnCreate();
            return true;
        case WM_DESTROY:
            OnDestroy();
            return true;
        case WM_SIZE:
            OnSize(wParam, lParam);
            return true;
        case WM_PAINT:
            OnPaint();
            result = 1;
            return true;
        case WM_CLOSE:
            HideToTray();
            result = 1;  // anything but 0: the default would destroy the window
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_SHOWWINDOW:
            if (wParam)
                PlaceProcessPane();
            return true;
        case WM_SETCURSOR:
            if (!OnSetCursor())
                return false;
            result = TRUE;
            return true;
        case WM_TIMER:
            OnTimer(wParam);
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0)
                OnCommand(LOWORD(wParam));
            return true;
        case WM_MOUSEMOVE:
            m_mouseTracked.OnMouseMove(m_hWnd);
            return true;
        case WM_LBUTTONDOWN:
            OnLButtonDown(lParam);
            return true;
        case WM_MOUSEWHEEL:
            result = 1;
            return true;
        case WM_MOUSELEAVE:
            m_mouseTracked.OnMouseLeave();
            return true;
        case WM_TRAY_CALLBACK:
            OnTrayCallback(lParam);
            return true;
        case WM_TABSTRIP_NOTIFY:
            if (wParam == TSN_SELCHANGE && lParam)
                OnTabChange(reinterpret_cast<const TabStripNotify*>(lParam)->item);
            return true;
        case WM_REPAIR_PROGRESS:
            OnRepairProgress(lParam);
            return true;
        case WM_REPAIR_DONE:
            OnRepairDone(lParam);
            return true;
        case WM_SVC_STOP_PROGRESS:
        case WM_SVC_START_PROGRESS:
            RunGameModeStep(m_game.Progress(static_cast<int>(lParam)));
            return true;
        case WM_SVC_STOP_DONE:
            RunGameModeStep(m_game.BoostDone(SweepOutcomeOf(lParam)));
            return true;
        case WM_SVC_START_DONE:
            RunGameModeStep(m_game.RestoreDone());
            return true;
        case WM_MEMORY_PROGRESS:
            OnMemoryProgress(lParam);
            return true;
        case WM_MEMORY_DONE:
            OnMemoryDone();
            return true;
        default:
            if (m_taskbarCreated != 0 && message == m_taskbarCreated) {
                // The notification area was restarted: without the icon a hidden window could not come back.
                m_tray.AddAgain();
                return true;
            }
            return false;
    }
}

LRESULT CMainWindow::OnCreate() {
    // 1. The skinned window; a second copy finds this one by its property.
    ::SetPropW(m_hWnd, kInstanceProperty, reinterpret_cast<HANDLE>(1));
    m_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    AllowTaskbarCreated(m_hWnd, m_taskbarCreated);
    // 2. Icons.
    LoadIcons();
    // 3. Companion libraries: without all nine entry points the optimizer closes without a word.
    if (!m_settings.loadCompanions || !m_settings.loadCompanions(m_settings.programFolder, m_companions))
        return -1;
    m_speedTest = CSpeedTestRunner({m_companions.connectFirst, m_companions.connectNext, m_companions.connectLast});
    // 8, begun here: the notification area is slow to answer, so the icon is added beside steps 4 to 7;
    // the balloon, which brings this window forward, follows on this thread where step 8 stands.
    // Nothing else touches the icon meanwhile.
    m_trayAdd.Start([this] { AddTrayIcon(); });
    // 4. Services, on a thread of their own beside the image decoding, the controls and the tray.
    CPhaseClock clock;
    BeginCreation();
    // 5, 6. Skin images and the controls of the first page, the cache poll, the first tab. The third
    // page's one control, its background, is loaded with the images left till its first paint.
    if (m_settings.serialImages)
        m_skin.LoadImages(SkinFolder());
    else
        m_skin.PlaceFirstImages();
    m_phases.images = clock.Lap();
    m_skin.LoadPage(m_hWnd, 0);
    m_companions.initVar();
    ::SetTimer(m_hWnd, kTimerCachePoll, kCachePollMs, nullptr);
    if (SkinTabStrip* tabs = m_skin.TabStrip(L"MainTabUI"))
        tabs->SetCurSel(0);
    m_creationIni.reset();
    m_phases.controls = clock.Lap();
    // 7, 8. Tray menu and icon.
    m_menu.Load(::GetModuleHandleW(nullptr), IDR_TRAY_MENU);
    m_trayAdd.Join();
    m_tray.ShowBalloon(tray_text::kBalloonStarted, tray_text::kBalloonTitle);
    m_phases.tray = clock.Lap();
    MeasureServices();
    if (SkinText* count = m_skin.Text(main_controls::kServiceCount))
        count->SetText(std::to_wstring(m_game.m_svcListed));
    m_phases.services = clock.Lap();
    // 9. Statistics and the updater, in the background.
    m_firstPaintDone.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (m_settings.startStatistics)
        StartStatisticsThread(m_settings.programFolder, m_firstPaintDone.Get());
    // 10. The service worker.
    StartServiceWorker();
    return 0;
}

void CMainWindow::LoadIcons() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    auto load = [&](int width, int height) {
        return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SORVIK), IMAGE_ICON, width, height, 0));
    };
    m_bigIcon.Reset(load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
    m_smallIcon.Reset(load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)));
    m_trayIcon.Reset(load(16, 16));
    SetIcon(m_bigIcon.Get(), true);
    SetIcon(m_smallIcon.Get(), false);
}

void CMainWindow::MeasureServices() {
    m_serviceSnapshot.Join();
    if (m_settings.services)
        CountGameMode(m_game, *m_settings.services, m_hWnd, m_settings.narrowSnapshot);
}

void CMainWindow::StartServiceWorker() {
    if (m_settings.services)
        m_serviceWorker.Start(m_settings.services, m_firstPaintDone.Get());
}

void CMainWindow::OnDestroy() {
    for (UINT_PTR timer :
         {kTimerSpeedSampling, kTimerSpeedGauge, kTimerCachePoll, kTimerMemoryCoolDown, kTimerQuitAfterRestore,
          kTimerPaintBufferIdle})
        ::KillTimer(m_hWnd, timer);
    ::RemovePropW(m_hWnd, kInstanceProperty);
    // The child panes go first: a pane that drains its own messages while it is destroyed would take
    // the quit message along with them (PeekMessage always hands out WM_QUIT), and the loop would run on.
    m_webPane.reset();
    if (m_processPane && ::IsWindow(m_processPane))
        ::DestroyWindow(m_processPane);
    m_processPane = nullptr;
    ::PostQuitMessage(0);
}
