// CListViewCtrlEx: the process list itself, an owner-drawn report list view with fixed 26-pixel rows
// in alternating colours, hover and selection colours, centred cells, and an end-process button
// ("end_button.png": normal, hover, pressed) centred in the last column. The press on a button and the
// click (release on the same one) are reported through callbacks; the cursor is a hand over the buttons.
// The parent forwards WM_DRAWITEM to DrawItem and answers WM_MEASUREITEM with kRowHeight. Owns its
// button image and the header subclass; window thread only.
#pragma once
#include <windows.h>

#include <gdiplus.h>

#include <functional>
#include <memory>

#include "common/handles.h"
#include "optimizer/tools/process_list/controls/header_ctrl_ex.h"
#include "skin/skinned_window/subclass_basic.h"
#include "skin/window/mouse_leave_tracker.h"

class CListViewCtrlEx : public CSubClassBasic {
public:
    CListViewCtrlEx();
    ~CListViewCtrlEx() override;

    // Creates the list with its columns as a child of `parent` filling `rect`; null on failure.
    HWND Create(HWND parent, const RECT& rect, int id);
    void DrawItem(const DRAWITEMSTRUCT& item);
    // `pressed(row)` when the left button goes down on a row's button, `clicked()` when it comes up on
    // the same place. Only the press names a row: a refresh may reorder the rows before the release.
    void SetEndButtonHandlers(std::function<void(int row)> pressed, std::function<void()> clicked) {
        m_onEndPress = std::move(pressed);
        m_onEndButton = std::move(clicked);
    }

    // Where row `row`'s end-process button lies (client coordinates); empty when the row is not there.
    RECT EndButtonRect(int row) const;

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int RowAt(POINT point) const;
    int ButtonAt(POINT point) const;  // the row whose button contains `point`, or -1
    void InvalidateRow(int row) const;
    void SetHover(int row, bool onButton);
    void SetPressed(int row);
    int ButtonState(int row) const;
    HFONT RowFont() const;

    CHeaderCtrlEx m_header;
    AutoFont m_font;  // "宋体" 12 px: the face Chinese text reads well in at this size
    std::unique_ptr<Gdiplus::Bitmap> m_endButton;
    std::function<void(int row)> m_onEndPress;
    std::function<void()> m_onEndButton;
    int m_hotRow = -1;
    bool m_hotButton = false;
    int m_pressedRow = -1;
    CMouseLeaveTracker m_mouseLeave;
};
