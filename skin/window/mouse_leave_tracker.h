// Asks for one WM_MOUSELEAVE per visit of the mouse, so windowless controls that follow the mouse lose
// their hover look when it leaves quickly. Window thread only; a failed request leaves it unarmed, so
// the next move tries again.
#pragma once
#include <windows.h>

class CMouseLeaveTracker {
public:
    void OnMouseMove(HWND hwnd);
    void OnMouseLeave() { m_armed = false; }
    // Either of the two above for WM_MOUSEMOVE and WM_MOUSELEAVE; any other message is ignored.
    void OnMessage(HWND hwnd, UINT message);
    bool Armed() const { return m_armed; }

private:
    bool m_armed = false;
};
