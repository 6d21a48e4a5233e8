#include <gtest/gtest.h>

#include "tests/optimizer/core/main_window/main_window_fixture.h"

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_enumer.h"
#include "skin/files/skin_paths.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "window_test_support.h"

namespace fake_companions {
int g_connectFirst = 0;
int g_connectNext = 0;
int g_initVar = 0;

namespace {
int WINAPI First() {
    return ++g_connectFirst, 0;
}
double WINAPI Next() {
    return ++g_connectNext, 0.0;
}
int WINAPI Nothing() {
    return 0;
}
int WINAPI InitVar() {
    return ++g_initVar, 0;
}
double WINAPI DirSize() {
    return 1.0;
}

bool Load(const std::wstring&, CompanionEntryPoints& entries) {
    entries = {First, Next, Nothing, InitVar, Nothing, Nothing, Nothing, Nothing, DirSize};
    return true;
}
}  // namespace

void Reset() {
    g_connectFirst = g_connectNext = g_initVar = 0;
}
}  // namespace fake_companions

MainWindowSettings TestWindowSettings(const std::vector<std::wstring>& services) {
    MainWindowSettings settings;
    settings.programFolder = ProgramFolder() + L"\\";
    // Each window's worker keeps its snapshot until the process ends, so it is never freed.
    settings.services = new CServiceEnumer();
    settings.services->m_journal = CServiceJournal(std::wstring(kTestKeysRoot) + L"\\MainWindow");
    settings.narrowSnapshot = [services](CServiceEnumer& snapshot) { KeepOnlyServices(snapshot, services); };
    settings.loadCompanions = fake_companions::Load;
    settings.startStatistics = false;
    return settings;
}

void MainWindowTest::SetUp() {
    fake_companions::Reset();
    // A window destroyed by an earlier test posted WM_QUIT; a modal loop must not meet it.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void MainWindowTest::TearDown() {
    if (m_window)
        WaitForSweep();  // the worker writes the window's busy flag
    m_window.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeysRoot);
}

bool MainWindowTest::Open(bool pageFileWarning, const std::vector<std::wstring>& services) {
    m_window = std::make_unique<CMainWindow>(TestWindowSettings(services));
    m_window->SetPageFileWarning(pageFileWarning);
    if (!m_window->CreateMainWindow())
        return false;
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::UpdateWindow(Hwnd());
    PumpFor(50);
    return true;
}

void MainWindowTest::Command(WORD id) {
    ::SendMessageW(Hwnd(), WM_COMMAND, id, reinterpret_cast<LPARAM>(Hwnd()));
}

void MainWindowTest::Click(int x, int y) {
    POINT screen = {x, y};
    ::ClientToScreen(Hwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpFor(50);
}

bool MainWindowTest::WaitForSweep() {
    return PumpUntil([&] { return !m_window->GameMode().m_busy; }, 60000) && (PumpFor(50), true);
}

bool MainWindowTest::Visible(const wchar_t* control) const {
    return m_window->Skin().IsVisible(control);
}

namespace {
UINT g_menuItem = 0;
MenuItemSeen g_seen;

// Runs inside the menu's modal loop: reads the item from the shown menu, then closes it.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    HMENU menu = menuWindow ? reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0)) : nullptr;
    if (menu) {
        wchar_t text[128] = {};
        ::GetMenuStringW(menu, g_menuItem, text, 128, MF_BYCOMMAND);
        g_seen.text = text;
        g_seen.enabled = !(::GetMenuState(menu, g_menuItem, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }
    ::EndMenu();
}
}  // namespace

MenuItemSeen ItemOfOpenTrayMenu(HWND window, UINT id) {
    g_menuItem = id;
    g_seen = {};
    ::SetTimer(nullptr, 0, 200, ReadAndCloseMenu);
    ::SendMessageW(window, WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN);  // returns when the menu has closed
    return g_seen;
}
