// CHeaderCtrlEx: the process list's owner-drawn header, 29 pixels high, painted from the built-in
// header bitmap: background, divider at each column's right edge, the column under the mouse and the
// column the left button is held on; titles as the column format aligns them. Clicks do nothing beyond
// what the header itself does (the list's order is fixed). Subclasses the list view's header; window
// thread only.
#pragma once
#include "common/handles.h"
#include "skin/skinned_window/subclass_basic.h"
#include "skin/window/mouse_leave_tracker.h"

class CHeaderCtrlEx : public CSubClassBasic {
public:
    CHeaderCtrlEx();
    bool Attach(HWND header) override;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client);
    int ColumnAt(LPARAM lParam) const;
    void SetHot(int column);
    void SetPressed(int column);

    AutoBitmap m_bitmap;
    int m_hot = -1;
    int m_pressed = -1;
    CMouseLeaveTracker m_mouseLeave;
};
