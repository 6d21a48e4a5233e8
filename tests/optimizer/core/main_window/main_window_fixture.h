// A real CMainWindow for one test: the test skin beside the test program, stand-ins for the companion
// libraries that count their calls, a service snapshot narrowed to the test's own services (none by
// default, so no sweep touches Wine's services), no statistics thread, and repairs that clean no folder.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "optimizer/core/main_window/main_window.h"

namespace fake_companions {
extern int g_initVar;
void Reset();
}  // namespace fake_companions

// The centre of a tab of the test skin's strip (y 46..80, 110 pixels wide, 4 apart).
inline POINT TabCentre(int tab) {
    return {14 + tab * 114 + 55, 63};
}

// Settings for a window of the test program; `services` names the test services to keep.
MainWindowSettings TestWindowSettings(const std::vector<std::wstring>& services = {});

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the window; false when creation failed.
    bool Open(bool pageFileWarning = false, const std::vector<std::wstring>& services = {});
    bool OpenWith(MainWindowSettings settings, bool pageFileWarning = false);
    HWND Hwnd() const { return m_window ? m_window->GetHwnd() : nullptr; }
    CMainWindow& Window() { return *m_window; }
    // Sends WM_COMMAND(id) as a skin control or the tray menu would, and handles what it posted.
    void Command(WORD id);
    // Moves the real cursor onto client point (x, y) and sends a click there.
    void Click(int x, int y);
    // Dispatches until the current sweep has finished (busy clear, done handled).
    bool WaitForSweep();
    // Runs a real memory clean-up from the page's button; true once it is done and cooling down.
    bool FinishCleanUp();
    bool Visible(const wchar_t* control) const;

    std::unique_ptr<CMainWindow> m_window;
};

// Opens the tray menu through the icon's right-click and returns the text and enabled state of an item
// while it is shown; the menu is then closed.
struct MenuItemSeen {
    std::wstring text;
    bool enabled = false;
};
MenuItemSeen ItemOfOpenTrayMenu(HWND window, UINT id);

// Runs `look` inside the modal loop that `open` starts (the tray menu or a dialog) once it shows, then
// closes it: the menu with EndMenu, this thread's shown dialog with OK.
void InsideModalLoop(const std::function<void()>& open, const std::function<void()>& look);
HWND ShownDialogOfThisThread();
