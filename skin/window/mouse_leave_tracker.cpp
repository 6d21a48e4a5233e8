#include "skin/window/mouse_leave_tracker.h"

void CMouseLeaveTracker::OnMouseMove(HWND hwnd) {
    if (m_armed)
        return;
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd, 0};
    m_armed = ::TrackMouseEvent(&track) != FALSE;
}

void CMouseLeaveTracker::OnMessage(HWND hwnd, UINT message) {
    if (message == WM_MOUSEMOVE)
        OnMouseMove(hwnd);
    else if (message == WM_MOUSELEAVE)
        OnMouseLeave();
}
