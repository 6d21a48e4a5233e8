#include "tests/optimizer/tools/tools_test_support/tools_test_support.h"

#include "common/handles.h"
#include "optimizer/tools/page_file/layered_skin_dlg.h"
#include "optimizer/tools/process_list/kill_processes.h"
#include "skin/message_box/message_box_dlg.h"
#include "skin/paint/memory_dc.h"

MainWindowStandIn::MainWindowStandIn() {
    Create(nullptr, {120, 80, 120 + 652, 80 + 456}, L"Sorvik", WS_POPUP | WS_VISIBLE);
}

bool MainWindowStandIn::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_MSGBOX_NOTIFY)
        return false;
    result = 0;
    if (wParam == 0 && lParam == 1) {
        ++shownBoxes;
        if (onShown)
            onShown();
    } else if (wParam != 0 && lParam) {
        const wchar_t* name = reinterpret_cast<const wchar_t*>(lParam);
        endedNames.push_back(name);
        KillProcessesByName(name);
    }
    return true;
}

void MouseAt(HWND hwnd, UINT message, int x, int y, WPARAM keys) {
    POINT screen = {x, y};
    ::ClientToScreen(hwnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(hwnd, message, keys, MAKELPARAM(x, y));
}

void ClickAt(HWND hwnd, int x, int y) {
    MouseAt(hwnd, WM_MOUSEMOVE, x, y);
    MouseAt(hwnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    MouseAt(hwnd, WM_LBUTTONUP, x, y);
    PumpFor(50);
}

COLORREF RenderedPixel(CLayeredSkinDlg& dialog, int x, int y) {
    RECT r = {};
    ::GetWindowRect(dialog.GetHwnd(), &r);
    ScopedGetDC screen(nullptr);
    CMemory_DC dc(screen.Get(), r.right - r.left, r.bottom - r.top);
    dialog.Render(dc);
    return ::GetPixel(dc, x, y);
}

COLORREF ShownPixel(HWND hwnd, int x, int y) {
    ScopedGetDC dc(hwnd);
    return ::GetPixel(dc.Get(), x, y);
}

namespace {
BOOL CALLBACK FindBox(HWND hwnd, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    // While the box is up, no other visible dialog of the tests is layered, topmost and a tool window.
    if (std::wstring(name) == L"#32770" && ::IsWindowVisible(hwnd) && (ex & WS_EX_LAYERED) && (ex & WS_EX_TOPMOST) &&
        (ex & WS_EX_TOOLWINDOW)) {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindMessageBox() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

namespace {
WORD g_answer = 0;
DWORD g_answerAfterMs = 0;
DWORD g_visibleSince = 0;
void CALLBACK AnswerWhenVisible(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = FindMessageBox();
    if (!box)
        return;
    if (!g_visibleSince)
        g_visibleSince = ::GetTickCount();
    if (::GetTickCount() - g_visibleSince >= g_answerAfterMs) {
        ::KillTimer(nullptr, timer);
        ::PostMessageW(box, WM_COMMAND, g_answer, reinterpret_cast<LPARAM>(box));
    }
}
}  // namespace

void AnswerMessageBoxSoon(WORD command, DWORD afterMs) {
    g_answer = command;
    g_answerAfterMs = afterMs;
    g_visibleSince = 0;
    ::SetTimer(nullptr, 0, 30, &AnswerWhenVisible);
}

DWORD ScreenshotHoldMs() {
    wchar_t ms[16] = {};
    return ::GetEnvironmentVariableW(L"SKIN_SHOT_MS", ms, 16) ? static_cast<DWORD>(_wtoi(ms)) : 6000;
}

void HoldForScreenshot() {
    PumpFor(ScreenshotHoldMs());
}
