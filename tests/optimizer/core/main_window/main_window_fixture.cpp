#include <gtest/gtest.h>

#include "tests/optimizer/core/main_window/main_window_fixture.h"

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_enumer.h"
#include "skin/files/skin_paths.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "window_test_support.h"

#include <functional>

namespace fake_companions {
int g_initVar = 0;

namespace {
double WINAPI NothingCounted() {
    return 0.0;
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
    entries = {Nothing, NothingCounted, Nothing, InitVar, Nothing, Nothing, Nothing, Nothing, DirSize};
    return true;
}
}  // namespace

void Reset() {
    g_initVar = 0;
}
}  // namespace fake_companions

namespace {
const std::wstring kJournalKey = std::wstring(kTestKeysRoot) + L"\\MainWindow";
}  // namespace

MainWindowSettings TestWindowSettings(const std::vector<std::wstring>& services) {
    MainWindowSettings settings;
    settings.programFolder = ProgramFolder() + L"\\";
    // Each window's worker keeps its snapshot until the process ends, so it is never freed.
    settings.services = new CServiceEnumer();
    settings.services->m_journal = CServiceJournal(kJournalKey);
    settings.narrowSnapshot = [services](CServiceEnumer& snapshot) { KeepOnlyServices(snapshot, services); };
    settings.loadCompanions = fake_companions::Load;
    settings.startStatistics = false;
    // A repair run empties only the prefix's URL cache; a test that wants folders cleaned names its own.
    settings.repairPlan = [] { return CachePlan{L"", L"", CFolderGuard({{}, {}})}; };
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
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kJournalKey.c_str());  // the service tests own the other test keys
}

bool MainWindowTest::Open(bool pageFileWarning, const std::vector<std::wstring>& services) {
    return OpenWith(TestWindowSettings(services), pageFileWarning);
}

bool MainWindowTest::OpenWith(MainWindowSettings settings, bool pageFileWarning) {
    m_window = std::make_unique<CMainWindow>(std::move(settings));
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

bool MainWindowTest::FinishCleanUp() {
    Command(kCmdMemory);
    return PumpUntil([&] { return m_window->MemoryCoolDown(); }, 60000);
}

bool MainWindowTest::Visible(const wchar_t* control) const {
    return m_window->Skin().IsVisible(control);
}

namespace {
std::function<void()> g_look;

struct ShownSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM search) {
    auto* s = reinterpret_cast<ShownSearch*>(search);
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    if (std::wstring(name) != s->className || !::IsWindowVisible(hwnd))
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

// Only this thread's: test programs run side by side on one desktop, each with its own menus.
HWND ShownOfThisThread(const wchar_t* className) {
    ShownSearch search = {className, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs inside the modal loop: looks, then closes the menu or answers the dialog.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (g_look)
        g_look();
    if (ShownOfThisThread(L"#32768")) {
        ::EndMenu();
        return;
    }
    if (HWND dialog = ShownOfThisThread(L"#32770"))
        ::PostMessageW(dialog, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(dialog));
}
}  // namespace

HWND ShownDialogOfThisThread() {
    return ShownOfThisThread(L"#32770");
}

void InsideModalLoop(const std::function<void()>& open, const std::function<void()>& look) {
    g_look = look;
    ::SetTimer(nullptr, 0, 300, LookAndClose);
    open();  // returns when the loop has ended
    g_look = nullptr;
}

MenuItemSeen ItemOfOpenTrayMenu(HWND window, UINT id) {
    MenuItemSeen seen;
    InsideModalLoop([&] { ::SendMessageW(window, WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN); },
                    [&] {
                        HWND shown = ShownOfThisThread(L"#32768");
                        HMENU menu =
                            shown ? reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0)) : nullptr;
                        if (!menu)
                            return;
                        wchar_t text[128] = {};
                        ::GetMenuStringW(menu, id, text, 128, MF_BYCOMMAND);
                        seen.text = text;
                        seen.enabled = !(::GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
                    });
    return seen;
}
