// Test scaffolding for the skin controls: the generated test skins, a 32-bit DIB to paint into, and a
// real owner window that forwards messages to its controls and records what they post or send.
#pragma once
#include "common/handles.h"
#include "skin/controls/skin_control.h"
#include "skin/controls/tab_strip.h"

#include <string>
#include <vector>

// Root of the skins that make_test_skins.sh wrote beside the test program (ends in a backslash).
std::wstring TestSkinRoot();
// The optimizer-layout skin folder inside it ("...\Sk_sv\") and its controls ini.
std::wstring TestSkinFolder();
std::wstring TestControlsIni();

// A top-down 32-bit DIB section selected into a memory DC, filled with one colour.
class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    HDC Dc() const { return m_dc.Get(); }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);

private:
    int m_width, m_height;
    AutoMemoryDC m_dc;
    AutoBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

// A visible 400 x 300 popup at (100, 100) whose procedure forwards every message to its controls.
class TestOwner {
public:
    TestOwner();
    ~TestOwner();
    HWND Hwnd() const { return m_hwnd; }
    void Add(SkinControl* control) { m_controls.push_back(control); }
    // Moves the real cursor onto client point (x, y) and sends `message` with that point in lParam.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0);
    // Left button down and up at client point (x, y), then pumps what the controls posted.
    void Click(int x, int y);
    // WM_COMMAND messages received with this wParam and the owner's own handle as lParam.
    size_t CommandCount(WPARAM wParam) const;
    // Pumps this thread's messages for up to `ms` (returns early when `until` holds).
    template <typename Pred>
    bool PumpUntil(DWORD ms, Pred until);
    void Pump(DWORD ms = 50) { PumpUntil(ms, [] { return false; }); }

    std::vector<std::pair<WPARAM, LPARAM>> commands;  // WM_COMMAND received
    std::vector<std::pair<WPARAM, TabStripNotify>> tabNotes;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void PumpOnce();
    HWND m_hwnd = nullptr;
    std::vector<SkinControl*> m_controls;
};

template <typename Pred>
bool TestOwner::PumpUntil(DWORD ms, Pred until) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpOnce();
        if (until()) return true;
        if (::GetTickCount() - start >= ms) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
