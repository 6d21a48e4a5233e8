// CMainWindow: the optimizer's one top-level window, a skinned 652 x 456 popup with three pages (game
// mode with the process list, network, tools), its tray icon and its timers. It owns its skin controls,
// the web pane, the tray record and menu, the service worker and the handles of the tools' threads; the
// service snapshot and the process-list pane are not its own. Window thread only, except the game-mode
// busy flag, which the service worker clears. Member definitions are split by concern across the
// main_window_*.cpp files; every number is in main_window_ids.h.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/background_call.h"
#include "common/handles.h"
#include "common/service_hosts.h"
#include "optimizer/core/game_mode/game_mode.h"
#include "optimizer/core/main_window/main_window_controls.h"
#include "optimizer/core/services/service_worker.h"
#include "optimizer/core/startup/companion_libraries.h"
#include "optimizer/core/tray/tray_icon.h"
#include "optimizer/core/tray/tray_menu.h"
#include "optimizer/tools/memory/memory_worker.h"
#include "optimizer/tools/repair/repair_worker.h"
#include "optimizer/tools/speed_test/speed_test_runner.h"
#include "skin/files/ini_snapshot.h"
#include "skin/paint/memory_dc.h"
#include "skin/skinned_window/main_window_frame.h"
#include "skin/skinned_window/window_base.h"

class CBrowser;
class CMemoryDlg;
class CServiceEnumer;

struct MainWindowSettings {
    std::wstring programFolder;          // ends in a backslash: skin, companion libraries, service_hosts.ini
    CServiceEnumer* services = nullptr;  // not owned; the worker uses it until the process ends
    // Runs between the snapshot and the count (tests keep only their own services there).
    std::function<void(CServiceEnumer&)> narrowSnapshot;
    std::function<bool(const std::wstring& folder, CompanionEntryPoints&)> loadCompanions = LoadCompanionLibraries;
    bool startStatistics = true;  // the statistics thread, which also starts the updater
    // The folders a repair run cleans; empty: this user's settings, read by each run itself.
    std::function<CachePlan()> repairPlan;
    // Decode the skin on the window thread after the snapshot instead of beside it (comparisons).
    bool serialImages = false;
};

// Milliseconds the window thread spent in the steps of its creation, for the benchmark.
struct StartupPhases {
    double services = 0;   // waiting for the snapshot, then counts and score
    double images = 0;     // decoding, or waiting for, the images shown first
    double controls = 0;   // the controls of page 0 and the frame, the first tab
    double tray = 0;       // menu and tray icon
};

// The program's own folder and process-wide snapshot, everything else at its default.
MainWindowSettings DefaultMainWindowSettings();

class CMainWindow : public CWindowBase {
public:
    explicit CMainWindow(MainWindowSettings settings);
    ~CMainWindow() override;

    // Before creation: whether the page-file warning strip is shown (and the pane sits lower).
    void SetPageFileWarning(bool warning) { m_pageFileWarning = warning; }
    // Starts the creation's work that needs no window, the service snapshot and the decoding of the first
    // images, so that it runs beside what the caller does before CreateMainWindow; on the thread that then
    // creates the window. Creation begins it itself when nobody did.
    void BeginCreation();
    // The skinned popup "Sorvik" at 0, 0; null when creation fails (a companion library is missing).
    HWND CreateMainWindow();
    // The process-list pane (a child of this window, not owned), placed whenever the window is shown.
    void SetProcessPane(HWND pane) { m_processPane = pane; }

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT PreProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    const wchar_t* GetWndClassName() const override { return L"Varnio_DirectUI"; }
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS; }

    // What the window shows, for its tests.
    const CGameMode& GameMode() const { return m_game; }
    const CTrayIcon& Tray() const { return m_tray; }
    const CTrayMenu& Menu() const { return m_menu; }
    const CMainWindowSkin& Skin() const { return m_skin; }
    int Page() const { return m_page; }
    HWND WebPane() const;
    bool MemoryCoolDown() const { return m_memoryCoolDown; }
    bool MemoryRunning() const { return m_memoryRunning; }
    const CSpeedTest& SpeedTest() const { return m_speedTest.Model(); }
    bool MemoryResultShown() const { return m_memoryResultShown; }
    const std::wstring& MemoryFreedText() const { return m_memoryFreedText; }
    const StartupPhases& Phases() const { return m_phases; }

private:
    // Creation and shutdown (main_window.cpp).
    LRESULT OnCreate();
    void OnDestroy();
    void LoadIcons();
    std::wstring SkinFolder() const;
    void MeasureServices();  // joins the snapshot, then counts and scores it
    void StartServiceWorker();

    // Painting (main_window_paint.cpp).
    void OnPaint();
    void PaintBackground(HDC dc, const RECT& client);
    void PaintPage(HDC dc);
    void PaintGameModePage(HDC dc);
    void PaintResultPanel(HDC dc);
    void PaintProgress(HDC dc, int percent, int left);

    // Pages, panes and the frame (main_window_pages.cpp).
    void OnSize(WPARAM wParam, LPARAM lParam);
    void OnTabChange(int tab);
    void SelectTab(int tab);
    void PlaceProcessPane();
    void ShowProcessPane(bool show);
    void ShowWebPane(bool show);
    void CreateWebPane();
    bool OnSetCursor();
    void OnLButtonDown(LPARAM lParam);
    void HideToTray();

    // Game mode (main_window_game_mode.cpp).
    void RunGameModeStep(const GameModeStep& step);
    void ApplyGameModeView(const GameModeStep& step);
    void OnQuit();
    void OnQuitTimer();
    void RunQuit(const GameModeQuit& quit);

    // Commands and timers (main_window_commands.cpp).
    void OnCommand(WORD id);
    void OnTimer(UINT_PTR id);
    void OpenAddress(const std::string& url) const;
    void OnPageFileAdvice();

    // Tray icon and menu (main_window_tray.cpp).
    void AddTrayIcon();
    void OnTrayCallback(LPARAM mouseMessage);
    void OnTrayMenu();
    void BringUp(bool showPane);
    void OnTrayGameMode();
    void OnTrayMemory();
    void OnTrayRepair();
    void OnTrayTools();

    // Memory clean-up (main_window_memory.cpp).
    void OnMemoryCommand();
    void OnMemoryProgress(LPARAM percent);
    void OnMemoryDone();
    void OnMemoryCoolDownTimer();
    void ReturnMemoryToIdle();
    void PaintMemoryResult(HDC dc);

    // Network speed test (main_window_speed_test.cpp).
    void OnSpeedPageShown();
    void OnSpeedCommand(WORD id);
    void OnSpeedSamplingTimer();
    void OnSpeedGaugeTimer();
    void RunSpeedStep(const SpeedStep& step);

    // Game repair and the cache poll (main_window_repair.cpp).
    void OnRepairCommand(WORD id);
    void OnRepairProgress(LPARAM percent);
    void OnRepairDone(LPARAM result);
    void StartRepairWorker();
    void OnCachePollTimer();

    MainWindowSettings m_settings;
    ServiceHosts m_hosts;
    CMainWindowSkin m_skin;
    CompanionEntryPoints m_companions;
    CGameMode m_game;
    CServiceWorker m_serviceWorker;
    CBackgroundCall m_serviceSnapshot;  // the creation's snapshot, joined before the counts
    CBackgroundCall m_trayAdd;          // the creation's tray icon, joined at its step
    bool m_creationBegun = false;
    std::unique_ptr<ScopedIniSnapshot> m_creationIni;  // the skin's keys, each section read once
    AutoHandle m_firstPaintDone;        // set and let go at the first paint; background work waits for it
    CTrayIcon m_tray;
    CTrayMenu m_menu;
    AutoIcon m_bigIcon, m_smallIcon, m_trayIcon;
    CMouseLeaveTracker m_mouseTracked;
    // The unchanging background of page 0 and of pages 1 and 2, each drawn once from its pictures, whose
    // images are then freed: the kept bitmap is the one copy of them.
    AutoBitmap m_backgrounds[2];
    // The off-screen page of OnPaint, kept while paints follow each other (a new one costs a page fault
    // per 4 KB on its first paint) and let go once the window has not painted for a while.
    std::unique_ptr<CMemory_DC> m_paintBuffer;
    std::unique_ptr<CBrowser> m_webPane;
    std::unique_ptr<CMemoryDlg> m_memoryDlg;
    HWND m_processPane = nullptr;  // not owned
    UINT m_taskbarCreated = 0;     // registered message: the notification area was restarted

    int m_page = 0;
    bool m_pageFileWarning = false;
    StartupPhases m_phases;

    // Memory clean-up.
    bool m_memoryCoolDown = false;
    int m_memoryPercent = 0;
    float m_memoryFrame = 0;
    bool m_memoryResultShown = false;
    std::wstring m_memoryFreedText;
    AutoHandle m_memoryWorker;
    bool m_memoryRunning = false;
    unsigned m_memoryRun = 0;  // number of the latest run; its result alone is taken from the slot
    std::shared_ptr<CMemoryResultSlot> m_memorySlot = std::make_shared<CMemoryResultSlot>();
    // What the start changed and a run that did nothing puts back.
    std::vector<std::wstring> m_memoryIconsBefore;
    bool m_memoryResultShownBefore = false;

    // Speed test, driven through the loaded Nettrel once the window is created.
    CSpeedTestRunner m_speedTest{NettrelExports{}};

    // Repair and the cache-size poll.
    CRepairWorker m_repairWorker;
    ULONGLONG m_cachePollStart = 0;  // tick of the poll's first round; 0 before it
};
