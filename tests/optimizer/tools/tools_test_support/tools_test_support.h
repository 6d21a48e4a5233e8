// Helpers of the optimizer tools' tests: a stand-in for the main window, real mouse clicks on windows,
// screen pixels, the skinned message box while it is up, and holding windows up for a screenshot.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/window/window_impl.h"
#include "tests/skin/window_test_support.h"

// How often the code under test asked to restart Windows (the real restart is never reached).
int RestartRequests();

// A visible 652 x 456 top-level window standing in for the main window: it records WM_MSGBOX_NOTIFY
// and ends processes on the OK notification, as the main window does; `onShown` runs when a message
// box reports itself shown (the box is modal then).
class MainWindowStandIn : public CWindowImpl {
public:
    MainWindowStandIn();
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::function<void()> onShown;
    std::vector<std::wstring> endedNames;  // OK notifications received
    int shownBoxes = 0;
};

// Moves the cursor onto client point (x, y) of `hwnd` and sends a move, a press and a release there.
void ClickAt(HWND hwnd, int x, int y);
// Moves the cursor onto client point (x, y) of `hwnd` and sends `message` there.
void MouseAt(HWND hwnd, UINT message, int x, int y, WPARAM keys = 0);
class CLayeredSkinDlg;
// Colour at window point (x, y) of a layered dialog's look, rendered into a DIB of its own.
COLORREF RenderedPixel(CLayeredSkinDlg& dialog, int x, int y);
// Colour at client point (x, y) of `hwnd` as the window shows it, read from the window's own surface
// (so windows of other test programs sharing the display do not matter).
COLORREF ShownPixel(HWND hwnd, int x, int y);
// The skinned message box currently up on this thread, or null.
HWND FindMessageBox();
// Once the box has been visible for `afterMs`, clicks `command` (IDOK, IDCANCEL) on it; call from
// `onShown`.
void AnswerMessageBoxSoon(WORD command, DWORD afterMs = 0);
// How long a test run by hand for a screenshot holds its windows up: SKIN_SHOT_MS milliseconds
// (default 6000).
DWORD ScreenshotHoldMs();
// Pumps messages for that long.
void HoldForScreenshot();
