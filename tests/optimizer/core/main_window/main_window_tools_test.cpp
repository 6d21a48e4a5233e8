// The memory clean-up and game repair run for real through the main window: what the pages show when a
// run ends or is cancelled, with screenshots of each. Repair runs clean a sandbox, never a real folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/handles.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/memory/memory_page.h"
#include "optimizer/tools/memory/process_trim.h"
#include "skin/message_box/message_box_dlg.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "tests/optimizer/core/startup/screenshot.h"
#include "tests/optimizer/tools/repair/cache_sandbox.h"
#include "tests/support/scoped_calls.h"
#include "window_test_support.h"

namespace {

constexpr DWORD kRunTimeoutMs = 60000;

// Columns of the result line (405..705, 187..207) holding the amount's red and the words' dark grey, and
// the last column with any grey ink, the words' smoothed edges included.
struct LineColumns {
    std::vector<int> red, grey;
    int lastInk = 0;
};

LineColumns ResultLineColumns(HWND window) {
    LineColumns columns;
    for (int x = 405; x < 705; ++x) {
        bool red = false, grey = false;
        for (int y = 187; y < 207; ++y) {
            const COLORREF c = WindowPixel(window, x, y);
            red |= GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110;
            grey |= GetRValue(c) < 110 && GetGValue(c) < 110 && GetBValue(c) < 110;
            const int high = (std::max)({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int low = (std::min)({GetRValue(c), GetGValue(c), GetBValue(c)});
            if (high < 200 && high - low < 40)
                columns.lastInk = x;
        }
        if (red)
            columns.red.push_back(x);
        if (grey)
            columns.grey.push_back(x);
    }
    return columns;
}

// The clean-up's system calls failing as they do without rights or resources.
HANDLE WINAPI NoSnapshot(DWORD, DWORD) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}
HANDLE WINAPI NoProcessOpens(DWORD, BOOL, DWORD) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}
HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) {
    ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// A run that opens no process until the test opens the gate, and counts the runs that started.
HANDLE g_gate = nullptr;
LONG g_snapshots = 0;
HANDLE WINAPI CountedSnapshot(DWORD flags, DWORD pid) {
    ::InterlockedIncrement(&g_snapshots);
    return ::CreateToolhelp32Snapshot(flags, pid);
}
HANDLE WINAPI GatedOpen(DWORD access, BOOL inherit, DWORD pid) {
    ::WaitForSingleObject(g_gate, 30000);
    return ::OpenProcess(access, inherit, pid);
}

using ScopedMemoryCalls = ScopedCalls<MemoryCalls, ReplaceMemoryCalls>;

CachePlan SandboxPlan(const CCacheSandbox& sandbox) {
    return CachePlan{sandbox.Path(L"cache"), L"", CFolderGuard::ForThisSystem()};
}

// The test window in the shipped skin of this build tree, so the pictures show what a user sees.
MainWindowSettings ShippedSkinSettings() {
    MainWindowSettings settings = TestWindowSettings();
    wchar_t product[MAX_PATH] = {};
    ::GetFullPathNameW((settings.programFolder + L"..\\..\\..\\..\\product\\").c_str(), MAX_PATH, product, nullptr);
    settings.programFolder = product;
    return settings;
}

class MainWindowToolsTest : public MainWindowTest {
protected:
    // Opens the window on the network page with repairs cleaning the sandbox's "cache" folder.
    bool OpenOnRepairPage() {
        MainWindowSettings settings = ShippedSkinSettings();
        settings.repairPlan = [this] { return SandboxPlan(m_sandbox); };
        if (!OpenWith(std::move(settings)))
            return false;
        Command(kCmdTrayRepair);
        return Window().Page() == 1;
    }
    void Photograph(const wchar_t* name) {
        ::UpdateWindow(Hwnd());
        PumpFor(200);
        EXPECT_TRUE(SaveScreenshot(name)) << name;
    }

    CCacheSandbox m_sandbox;
};

TEST_F(MainWindowToolsTest, ACleanUpAfterTheCoolDownRunsAndShowsWhatItFreed) {
    ASSERT_TRUE(OpenWith(ShippedSkinSettings()));
    ASSERT_TRUE(FinishCleanUp());
    ::SendMessageW(Hwnd(), WM_TIMER, kTimerMemoryCoolDown, 0);  // ten minutes later
    bool boxShown = false;
    InsideModalLoop([&] { Command(kCmdMemory); }, [&] { boxShown = ShownDialogOfThisThread() != nullptr; });
    EXPECT_FALSE(boxShown);
    EXPECT_TRUE(Visible(L"ChaosCircle22")) << "a run started";
    EXPECT_FALSE(Window().MemoryResultShown());

    ASSERT_TRUE(PumpUntil([&] { return Window().MemoryResultShown(); }, kRunTimeoutMs));
    EXPECT_EQ(L"\u7ee7\u7eed\u4f18\u5316", Window().Skin().Button(L"BeginMemoryBtn")->GetText());  // 继续优化
    const std::wstring& freed = Window().MemoryFreedText();
    ASSERT_FALSE(freed.empty());
    EXPECT_EQ(L'M', freed.back());
    EXPECT_NE(L'-', freed.front());

    ::UpdateWindow(Hwnd());
    const LineColumns line = ResultLineColumns(Hwnd());
    ASSERT_FALSE(line.red.empty()) << "the amount is drawn";
    ASSERT_FALSE(line.grey.empty()) << "the words are drawn";
    EXPECT_GE(line.red.front(), 525);  // never before its place
    // The words stop before the amount and go on after it, never through it.
    for (int x : line.grey)
        EXPECT_TRUE(x < line.red.front() || x > line.red.back()) << x;
    EXPECT_GT(line.grey.back(), line.red.back()) << "the words after the amount";
    EXPECT_LT(line.lastInk, 634) << "inside the panel, whose border starts at 634";
    Photograph(L"page0_memory_result");
}

TEST_F(MainWindowToolsTest, ARunThatLooksAtNoProcessReturnsToTheIdleViewWithoutTheCoolDown) {
    ASSERT_TRUE(OpenWith(ShippedSkinSettings()));
    MemoryCalls noSnapshot, noProcess, noThread;
    noSnapshot.snapshot = NoSnapshot;
    noProcess.openProcess = NoProcessOpens;
    noThread.createThread = NoThread;
    const struct {
        const char* name;
        MemoryCalls calls;
        const wchar_t* shot;
    } cases[] = {
        {"the snapshot is refused", noSnapshot, L"page0_memory_failed_run"},
        {"no process can be opened", noProcess, nullptr},
        {"the worker cannot be started", noThread, nullptr},
    };
    for (const auto& c : cases) {
        ScopedMemoryCalls failing(c.calls);
        Command(kCmdMemory);
        ASSERT_TRUE(PumpUntil([&] { return !Window().MemoryRunning(); }, kRunTimeoutMs)) << c.name;
        PumpFor(100);  // anything else the run posted
        for (const wchar_t* icon : kMemoryIcons)
            EXPECT_TRUE(Visible(icon)) << c.name << " " << icon;
        for (const wchar_t* gone : {L"ChaosCircle21", L"ChaosCircle22", L"ChaosCircle23", kMemoryStateTextName})
            EXPECT_FALSE(Visible(gone)) << c.name;
        EXPECT_TRUE(Window().Skin().Button(L"BeginMemoryBtn")->IsEnabled()) << c.name;
        EXPECT_FALSE(Window().MemoryResultShown()) << c.name << ": no \"0.0000M freed\"";
        EXPECT_FALSE(Window().MemoryCoolDown()) << c.name;
        EXPECT_TRUE(ItemOfOpenTrayMenu(Hwnd(), kCmdTrayMemory).enabled) << c.name;
        if (c.shot)
            Photograph(c.shot);
    }
}

TEST_F(MainWindowToolsTest, ADoneMessageFromElsewhereChangesNothing) {
    ASSERT_TRUE(OpenWith(ShippedSkinSettings()));
    // Any process may post it; it carries nothing the window takes.
    ::PostMessageW(Hwnd(), WM_MEMORY_DONE, 0, 0);
    PumpFor(100);
    EXPECT_FALSE(Window().MemoryCoolDown());
    EXPECT_FALSE(Window().MemoryResultShown());
}

TEST_F(MainWindowToolsTest, AnEndProcessNoticeFromElsewhereEndsNothing) {
    ASSERT_TRUE(OpenWith(ShippedSkinSettings()));
    // A program of that name that waits on its input until the test lets it go.
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    AutoHandle input(readEnd), feed(writeEnd);
    ::SetHandleInformation(feed.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = input.Get();
    PROCESS_INFORMATION pi = {};
    wchar_t line[] = L"cmd.exe /q /k";
    ASSERT_TRUE(::CreateProcessW(nullptr, line, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
    AutoHandle process(pi.hProcess), thread(pi.hThread);

    // The process list ends what its own box confirms; the main window takes no name from a message.
    const wchar_t name[] = L"cmd.exe";
    ::SendMessageW(Hwnd(), WM_MSGBOX_NOTIFY, 1, reinterpret_cast<LPARAM>(name));
    PumpFor(200);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(process.Get(), 0));
    ::TerminateProcess(process.Get(), 0);
}

TEST_F(MainWindowToolsTest, WhileARunIsGoingTheTrayCannotStartAnotherNorCanAForeignDoneEndIt) {
    ASSERT_TRUE(OpenWith(ShippedSkinSettings()));
    AutoHandle gate(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    g_gate = gate.Get();
    g_snapshots = 0;
    MemoryCalls gated;
    gated.snapshot = CountedSnapshot;
    gated.openProcess = GatedOpen;
    ScopedMemoryCalls held(gated);
    Command(kCmdMemory);
    ASSERT_TRUE(Window().MemoryRunning());

    EXPECT_FALSE(ItemOfOpenTrayMenu(Hwnd(), kCmdTrayMemory).enabled) << "greyed while running";
    Command(kCmdTrayMemory);
    ::PostMessageW(Hwnd(), WM_MEMORY_DONE, 0, 0);
    PumpFor(200);
    EXPECT_TRUE(Window().MemoryRunning());
    EXPECT_TRUE(Visible(L"ChaosCircle22"));
    EXPECT_FALSE(Window().MemoryCoolDown());

    ::SetEvent(gate.Get());
    ASSERT_TRUE(PumpUntil([&] { return Window().MemoryCoolDown(); }, kRunTimeoutMs));
    EXPECT_TRUE(Window().MemoryResultShown());
    EXPECT_EQ(1, g_snapshots) << "one run only";
}

TEST_F(MainWindowToolsTest, AFinishedRepairShowsItsSuccess) {
    m_sandbox.AddFile(L"cache\\a.dat", 4000);
    m_sandbox.AddFile(L"cache\\sub\\b.dat", 4000);
    ASSERT_TRUE(OpenOnRepairPage());
    Command(kCmdRepairStart);
    ASSERT_TRUE(PumpUntil([&] { return Visible(L"SucceedIcon"); }, kRunTimeoutMs));
    for (const wchar_t* shown : {L"RepairCompleteStatic", L"ReRepairBtn"})
        EXPECT_TRUE(Visible(shown)) << shown;
    for (const wchar_t* hidden : {L"RepairProgressBarCtrl", L"EndRepairBtn", L"RepairSateStatic", L"BeginRepairBtn"})
        EXPECT_FALSE(Visible(hidden)) << hidden;
    EXPECT_FALSE(m_sandbox.Exists(L"cache"));
    Photograph(L"page1_repair_finished");
}

TEST_F(MainWindowToolsTest, AProductCacheTheGuardRefusesIsToldInTheSkinnedBox) {
    m_sandbox.AddFile(L"protected\\keep.dat", 10);
    MainWindowSettings settings = ShippedSkinSettings();
    settings.repairPlan = [this] {
        return CachePlan{m_sandbox.Path(L"protected"), L"", CFolderGuard({{}, {m_sandbox.Path(L"protected")}})};
    };
    ASSERT_TRUE(OpenWith(std::move(settings)));
    Command(kCmdTrayRepair);
    Command(kCmdRepairStart);
    // The run's end waits in the queue, so that the box opens inside the loop below.
    MSG done;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kRunTimeoutMs; ::Sleep(10)) {
        if (::PeekMessageW(&done, Hwnd(), WM_REPAIR_DONE, WM_REPAIR_DONE, PM_NOREMOVE))
            break;
    }
    bool layeredBox = false;
    InsideModalLoop([&] { PumpFor(100); },
                    [&] {
                        HWND box = ShownDialogOfThisThread();
                        layeredBox = box && (::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_LAYERED);
                        EXPECT_TRUE(SaveScreenshot(L"page1_repair_refused"));
                    });
    EXPECT_TRUE(layeredBox) << "the skinned box";
    for (const wchar_t* shown : {L"WarnIcon", L"ReRepairBtn"})
        EXPECT_TRUE(Visible(shown)) << shown;
    for (const wchar_t* hidden : {L"SucceedIcon", L"RepairCompleteStatic", L"EndRepairBtn", L"RepairProgressBarCtrl"})
        EXPECT_FALSE(Visible(hidden)) << hidden;
    EXPECT_TRUE(m_sandbox.Exists(L"protected\\keep.dat"));
}

TEST_F(MainWindowToolsTest, ACancelledRepairStopsAndSaysSo) {
    for (int i = 0; i < 300; ++i)
        m_sandbox.AddFile(L"cache\\f" + std::to_wstring(i) + L".dat", 1024);
    ASSERT_TRUE(OpenOnRepairPage());
    Command(kCmdRepairStart);
    Command(kCmdRepairCancel);
    PumpFor(500);  // nothing of the stopped run may arrive
    for (const wchar_t* shown : {L"WarnIcon", L"ReRepairBtn", L"RepairCancelStatic"})
        EXPECT_TRUE(Visible(shown)) << shown;
    for (const wchar_t* hidden : {L"SucceedIcon", L"RepairCompleteStatic", L"EndRepairBtn", L"RepairProgressBarCtrl"})
        EXPECT_FALSE(Visible(hidden)) << hidden;
    EXPECT_GT(m_sandbox.CountFiles(L"cache"), 0u);
    Photograph(L"page1_repair_cancelled");
}

}  // namespace
