// The process list on Wine's real processes: a sampler refresh, and the pane inside a stand-in main
// window driven with real mouse messages, read back from the list and the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "optimizer/tools/process_list/controls/list_look.h"
#include "optimizer/tools/process_list/kill_processes.h"
#include "optimizer/tools/process_list/list_dlg.h"
#include "optimizer/tools/process_list/sampling/process_owner.h"
#include "optimizer/tools/process_list/sampling/process_sampler.h"
#include "tests/optimizer/tools/process_list/child_processes.h"
#include "tests/optimizer/tools/tools_test_support/tools_test_support.h"
#include "tests/support/scoped_calls.h"

namespace {
// A name of this test program's own, so no other process of the machine shares it.
std::wstring OwnName(const wchar_t* stem) {
    return stem + std::to_wstring(::GetCurrentProcessId()) + L".exe";
}

const ProcessRecord* Find(const ProcessList& list, DWORD pid) {
    auto it = std::find_if(list.begin(), list.end(), [&](const ProcessRecord& r) { return r.pid == pid; });
    return it == list.end() ? nullptr : &*it;
}

std::wstring Cell(HWND list, int row, int column) {
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The bounds of list row `row`, in the list's client coordinates.
RECT RowBounds(HWND list, int row) {
    RECT r = {LVIR_BOUNDS};
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return r;
}

std::vector<int> RowsNamed(HWND list, const std::wstring& name) {
    std::vector<int> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        if (Cell(list, row, 0) == name)
            rows.push_back(row);
    }
    return rows;
}

// Colours of the test skin's "end_button.png" states, away from its caption.
const COLORREF kButtonNormal = RGB(230, 90, 70), kButtonHover = RGB(250, 120, 90), kButtonPressed = RGB(180, 60, 50);
}  // namespace

// Keeps this thread on a processor for `ms` milliseconds.
void Spin(DWORD ms) {
    const DWORD start = ::GetTickCount();
    volatile unsigned spin = 0;
    while (::GetTickCount() - start < ms)
        spin = spin + 1;
}

TEST(ProcessSampler, ListsOwnProgramsWithDescriptionAndSharesFromTheSecondRefresh) {
    ChildProcesses children;
    HANDLE listed = children.Start(OwnName(L"pxlisted"));
    HANDLE hidden = children.Start(L"svchost.exe");
    ASSERT_TRUE(listed && hidden);

    CProcessSampler sampler;
    ProcessList first, second;
    ASSERT_TRUE(sampler.Refresh(first));
    const ProcessRecord* child = Find(first, ChildId(listed));
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(OwnName(L"pxlisted"), child->exeName);
    EXPECT_EQ(L"Process list test program", child->description);
    EXPECT_EQ(0u, child->cpuPercent) << "a process listed for the first time shows 0 %";
    ASSERT_NE(nullptr, Find(first, ::GetCurrentProcessId()));
    EXPECT_EQ(0u, Find(first, ::GetCurrentProcessId())->cpuPercent);
    EXPECT_GT(child->workingSet, 0);
    EXPECT_EQ(nullptr, Find(first, ChildId(hidden)));
    EXPECT_TRUE(std::is_sorted(first.begin(), first.end(), [](const ProcessRecord& a, const ProcessRecord& b) {
        return a.workingSet > b.workingSet;
    }));

    // This test program itself is listed too; busy between the refreshes, it shows its real share.
    // (Wine reports no processor time for other processes, so a busy child would always read 0 %.)
    Spin(500);
    ASSERT_TRUE(sampler.Refresh(second));
    const ProcessRecord* self = Find(second, ::GetCurrentProcessId());
    ASSERT_NE(nullptr, self);
    EXPECT_GT(self->cpuPercent, 0u) << "the real share from the second refresh on";
    EXPECT_LE(self->cpuPercent, 100u);
}

namespace {
// Child windows close without the wait that top-level windows have under Wine without a window
// manager, so only the stand-in main window is kept for the whole suite.
class ProcessListPane : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_main = new MainWindowStandIn; }
    static void TearDownTestSuite() { delete s_main; }
    void SetUp() override {
        s_main->onShown = nullptr;
        s_main->shownBoxes = 0;
        s_main->endedNames.clear();
    }

    HWND CreatePane(CListDlg& pane, bool warning, DWORD refreshMs = 3000) {
        pane.SetMainWindow(s_main->GetHwnd());
        pane.SetPageFileWarning(warning);
        pane.SetRefreshPeriod(refreshMs);
        HWND hwnd = pane.Create(s_main->GetHwnd());
        PumpFor(50);
        return hwnd;
    }
    static POINT Inside(const RECT& r, int dx, int dy) { return {r.left + dx, r.top + dy}; }

    static MainWindowStandIn* s_main;
    ChildProcesses children;
};
MainWindowStandIn* ProcessListPane::s_main = nullptr;
}  // namespace

TEST_F(ProcessListPane, SitsBelowTheGameModePageAndGivesRoomToThePageFileWarning) {
    for (bool warning : {false, true}) {
        CListDlg pane;
        HWND hwnd = CreatePane(pane, warning);
        ASSERT_NE(nullptr, hwnd);
        EXPECT_EQ(s_main->GetHwnd(), ::GetParent(hwnd));
        RECT r = {};
        ::GetWindowRect(hwnd, &r);
        ::MapWindowPoints(nullptr, s_main->GetHwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(7, r.left);
        EXPECT_EQ(warning ? 286 : 266, r.top);
        EXPECT_EQ(638, r.right - r.left);
        EXPECT_EQ(warning ? 165 : 185, r.bottom - r.top);

        HWND header = reinterpret_cast<HWND>(::SendMessageW(pane.GetList(), LVM_GETHEADER, 0, 0));
        RECT headerRect = {};
        ::GetWindowRect(header, &headerRect);
        EXPECT_EQ(list_look::kHeaderHeight, headerRect.bottom - headerRect.top);
        const wchar_t* titles[] = {L"进程名", L"描述信息", L"CPU占用", L"内存占用", L"管理"};
        const int widths[] = {150, 150, 100, 100, 100};
        for (int i = 0; i < 5; ++i) {
            wchar_t title[32] = {};
            HDITEMW item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = title;
            item.cchTextMax = 32;
            ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(std::wstring(titles[i]), title);
            EXPECT_EQ(widths[i], item.cxy);
        }
        RECT row = {LVIR_BOUNDS};
        ASSERT_TRUE(::SendMessageW(pane.GetList(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
        EXPECT_EQ(list_look::kRowHeight, row.bottom - row.top);
    }
}

// The first list is the same whether the pane takes it or the optimizer had it taken beforehand.
TEST_F(ProcessListPane, ShowsOwnProgramsAndFollowsThemInTheBackground) {
    HANDLE early = children.Start(OwnName(L"pxearly"));
    ASSERT_NE(nullptr, early);
    for (bool beforehand : {false, true}) {
        SCOPED_TRACE(beforehand ? "first list taken beforehand" : "first list taken by the pane");
        CListDlg pane;
        if (beforehand)
            pane.BeginFirstRefresh();
        ASSERT_NE(nullptr, CreatePane(pane, false, 200));
        HWND list = pane.GetList();
        std::vector<int> rows = RowsNamed(list, OwnName(L"pxearly"));
        ASSERT_EQ(1u, rows.size());
        EXPECT_EQ(L"Process list test program", Cell(list, rows[0], 1));
        EXPECT_EQ(L"0%", Cell(list, rows[0], 2));
        const std::wstring memory = Cell(list, rows[0], 3);
        EXPECT_EQ(L'M', memory.back()) << memory.c_str();
        EXPECT_EQ(L"管理", Cell(list, rows[0], 4));
        EXPECT_TRUE(RowsNamed(list, L"svchost.exe").empty());

        // Started after the pane: only the refresh thread can bring it in, and take it out again.
        HANDLE late = children.Start(OwnName(L"pxlate"));
        ASSERT_NE(nullptr, late);
        EXPECT_TRUE(PumpUntil([&] { return RowsNamed(list, OwnName(L"pxlate")).size() == 1; }));
        ::TerminateProcess(late, 0);
        EXPECT_TRUE(PumpUntil([&] { return RowsNamed(list, OwnName(L"pxlate")).empty(); }));
        EXPECT_EQ(static_cast<size_t>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)), pane.Records().size());
    }
}

TEST_F(ProcessListPane, EndingOneRowEndsEveryInstanceOfThatProgram) {
    const std::wstring name = OwnName(L"pxtwice");
    ASSERT_TRUE(children.Start(name) && children.Start(name));
    CListDlg pane;
    ASSERT_NE(nullptr, CreatePane(pane, false));
    HWND list = pane.GetList();
    ASSERT_EQ(2u, RowsNamed(list, name).size()) << "a program started twice is listed twice";

    // Scrolled into view, the row's button shows its states as the mouse moves, presses and releases.
    const int row = RowsNamed(list, name)[0];
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    PumpFor(50);
    const RECT rowRect = RowBounds(list, row);
    // 65 x 22, centred in the last column (x 500 to 600) of the 26-pixel row.
    const RECT end = {rowRect.left + 517, rowRect.top + 2, rowRect.left + 582, rowRect.top + 24};
    EXPECT_EQ(kButtonNormal, ShownPixel(list, end.left + 3, end.top + 3));
    MouseAt(list, WM_MOUSEMOVE, end.left + 10, end.top + 10);
    PumpFor(50);
    EXPECT_EQ(kButtonHover, ShownPixel(list, end.left + 3, end.top + 3));
    ::SendMessageW(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
    MouseAt(list, WM_LBUTTONDOWN, end.left + 10, end.top + 10, MK_LBUTTON);
    PumpFor(50);
    EXPECT_EQ(kButtonPressed, ShownPixel(list, end.left + 3, end.top + 3));

    // Cancel first: nothing ends, nothing goes.
    s_main->onShown = [] { AnswerMessageBoxSoon(IDCANCEL); };
    MouseAt(list, WM_LBUTTONUP, end.left + 10, end.top + 10);
    ASSERT_TRUE(PumpUntil([&] { return s_main->shownBoxes == 1 && !FindMessageBox(); }));
    EXPECT_TRUE(s_main->endedNames.empty());
    EXPECT_EQ(2u, RowsNamed(list, name).size());
    EXPECT_FALSE(children.AllEnded(name, 0));

    s_main->onShown = [] { AnswerMessageBoxSoon(IDOK); };
    ClickAt(list, end.left + 10, end.top + 10);
    ASSERT_TRUE(PumpUntil([&] { return s_main->shownBoxes == 2 && !FindMessageBox(); }));
    EXPECT_TRUE(children.AllEnded(name, 5000)) << "both instances end";
    EXPECT_TRUE(RowsNamed(list, name).empty()) << "their rows go at once";
}

TEST_F(ProcessListPane, TheProgramPressedIsTheOneEndedThoughARefreshReordersTheRows) {
    const std::wstring pressed = OwnName(L"pxpressed"), other = OwnName(L"pxother");
    ASSERT_TRUE(children.Start(pressed) && children.Start(other));
    CListDlg pane;
    HWND hwnd = CreatePane(pane, false, 60000);
    ASSERT_NE(nullptr, hwnd);
    HWND list = pane.GetList();
    ASSERT_EQ(1u, RowsNamed(list, pressed).size());
    const int row = RowsNamed(list, pressed)[0];
    // Both rows in view, so that the selection following its process does not scroll the list.
    ::SendMessageW(list, LVM_ENSUREVISIBLE, RowsNamed(list, other)[0], FALSE);
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    PumpFor(50);
    const int top = static_cast<int>(::SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const int perPage = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_LT(std::max(row, RowsNamed(list, other)[0]), top + perPage);
    ASSERT_GE(std::min(row, RowsNamed(list, other)[0]), top);
    const RECT rowRect = RowBounds(list, row);
    const POINT on = {rowRect.left + 527, rowRect.top + 12};
    MouseAt(list, WM_LBUTTONDOWN, on.x, on.y, MK_LBUTTON);

    // A refresh arrives while the button is held and swaps the two programs' rows.
    auto swapped = std::make_unique<ProcessList>(pane.Records());
    auto named = [&](const std::wstring& n) {
        return std::find_if(swapped->begin(), swapped->end(), [&](const ProcessRecord& r) { return r.exeName == n; });
    };
    std::iter_swap(named(pressed), named(other));
    ASSERT_TRUE(::PostMessageW(hwnd, WM_PROCESSLIST_REFRESHED, 0, reinterpret_cast<LPARAM>(swapped.release())));
    PumpFor(50);
    ASSERT_EQ(other, Cell(list, row, 0));

    s_main->onShown = [] { AnswerMessageBoxSoon(IDOK); };
    MouseAt(list, WM_LBUTTONUP, on.x, on.y);
    ASSERT_TRUE(PumpUntil([&] { return s_main->shownBoxes == 1 && !FindMessageBox(); }, 10000))
        << s_main->shownBoxes << " boxes shown, " << (FindMessageBox() ? "one still up" : "none up");
    EXPECT_TRUE(children.AllEnded(pressed, 5000)) << "the program whose button was pressed";
    EXPECT_FALSE(children.AllEnded(other, 500)) << "not the one that moved under the mouse";
}

namespace {
// The ending's decisions as the list's rules and the system would make them for chosen processes.
DWORD g_servicePid = 0;
std::wstring ServiceAccountFor(DWORD pid) {
    return pid == g_servicePid ? L"SYSTEM" : ProcessAccount(pid);
}
bool Refused(DWORD) {
    return false;
}

using ScopedEndCalls = ScopedCalls<ProcessEndCalls, ReplaceProcessEndCalls>;
}  // namespace

TEST_F(ProcessListPane, EndingARowEndsOnlyTheInstancesTheListShowsAndTellsWhenItCannot) {
    ProcessEndCalls secondIsAService, refused;
    secondIsAService.account = ServiceAccountFor;
    refused.terminate = Refused;
    const struct {
        const char* what;
        ProcessEndCalls calls;
        bool firstEnds, secondEnds;
        int boxes;         // the confirmation, and the failure box when one is shown
        size_t rowsAfter;  // rows of the program right after
    } cases[] = {
        {"a service's process of that name is left alone", secondIsAService, true, false, 1, 1},
        {"a refused end is told and its rows stay", refused, false, false, 2, 2},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.what);
        const std::wstring name = OwnName((L"pxcase" + std::to_wstring(i) + L"_").c_str());
        HANDLE first = children.Start(name), second = children.Start(name);
        ASSERT_TRUE(first && second);
        g_servicePid = ChildId(second);
        ScopedEndCalls injected(c.calls);
        CListDlg pane;
        ASSERT_NE(nullptr, CreatePane(pane, false, 60000));
        HWND list = pane.GetList();
        ASSERT_EQ(2u, RowsNamed(list, name).size());
        const int row = RowsNamed(list, name)[0];
        ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
        PumpFor(50);
        const RECT rowRect = RowBounds(list, row);
        s_main->shownBoxes = 0;
        s_main->onShown = [] { AnswerMessageBoxSoon(IDOK); };
        ClickAt(list, rowRect.left + 527, rowRect.top + 12);
        ASSERT_TRUE(PumpUntil([&] { return s_main->shownBoxes == c.boxes && !FindMessageBox(); }, 10000));
        PumpFor(200);
        EXPECT_EQ(c.boxes, s_main->shownBoxes);
        EXPECT_EQ(c.firstEnds, ::WaitForSingleObject(first, 3000) == WAIT_OBJECT_0);
        EXPECT_EQ(c.secondEnds, ::WaitForSingleObject(second, 500) == WAIT_OBJECT_0);
        EXPECT_EQ(c.rowsAfter, RowsNamed(list, name).size());
    }
}

TEST_F(ProcessListPane, RowsShowTheirStateInColour) {
    CListDlg pane;
    ASSERT_NE(nullptr, CreatePane(pane, false));
    HWND list = pane.GetList();
    ASSERT_GE(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    auto rowTop = [&](int row) { return RowBounds(list, row).top; };
    EXPECT_EQ(list_look::kEvenRow, ShownPixel(list, 2, rowTop(0) + 2));
    EXPECT_EQ(list_look::kOddRow, ShownPixel(list, 2, rowTop(1) + 2));
    MouseAt(list, WM_MOUSEMOVE, 20, rowTop(1) + 10);
    PumpFor(50);
    EXPECT_EQ(list_look::kHotRow, ShownPixel(list, 2, rowTop(1) + 2));
    LVITEMW select = {};
    select.stateMask = select.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&select));
    PumpFor(50);
    EXPECT_EQ(list_look::kSelectedRow, ShownPixel(list, 2, rowTop(2) + 2));
    ::SendMessageW(list, WM_MOUSELEAVE, 0, 0);
    PumpFor(50);
    EXPECT_EQ(list_look::kOddRow, ShownPixel(list, 2, rowTop(1) + 2));
}

// Run by hand with --gtest_also_run_disabled_tests while taking a screenshot: the pane in the stand-in
// main window, the pointer over one row's button.
TEST_F(ProcessListPane, DISABLED_Screenshot) {
    children.Start(L"notepad.exe");
    children.Start(L"QQGame.exe");
    CListDlg pane;
    ASSERT_NE(nullptr, CreatePane(pane, false));
    MouseAt(pane.GetList(), WM_MOUSEMOVE, 560, RowBounds(pane.GetList(), 1).top + 10);
    HoldForScreenshot();
}

// The same, with the end-process confirmation up over the stand-in main window.
TEST_F(ProcessListPane, DISABLED_ScreenshotConfirmation) {
    CListDlg pane;
    ASSERT_NE(nullptr, CreatePane(pane, false));
    s_main->onShown = [] { AnswerMessageBoxSoon(IDCANCEL, ScreenshotHoldMs()); };
    ClickAt(pane.GetList(), 550, RowBounds(pane.GetList(), 0).top + 12);
    PumpUntil([&] { return s_main->shownBoxes == 1 && !FindMessageBox(); }, ScreenshotHoldMs() + 2000);
}
