#include "optimizer/tools/process_list/controls/header_ctrl_ex.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "optimizer/tools/process_list/controls/list_look.h"
#include "resources/sorvik/tools_dialog_ids.h"
#include "skin/paint/font_pool.h"
#include "skin/paint/memory_dc.h"

using namespace list_look;

namespace {
// Repeats one slice of the bitmap across `area`.
void TileSlice(HDC dc, HDC bitmapDc, int sliceX, const RECT& area) {
    for (int x = area.left; x < area.right; x += kHeaderSlice) {
        const int width = std::min<int>(kHeaderSlice, area.right - x);
        ::BitBlt(dc, x, area.top, width, kHeaderHeight, bitmapDc, sliceX, 0, SRCCOPY);
    }
}

UINT AlignmentOf(int format) {
    switch (format & HDF_JUSTIFYMASK) {
        case HDF_CENTER:
            return DT_CENTER;
        case HDF_RIGHT:
            return DT_RIGHT;
        default:
            return DT_LEFT;
    }
}
}  // namespace

CHeaderCtrlEx::CHeaderCtrlEx()
    : m_bitmap(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(IDB_LIST_HEADER),
                                                 IMAGE_BITMAP,
                                                 0,
                                                 0,
                                                 LR_DEFAULTCOLOR))) {}

bool CHeaderCtrlEx::Attach(HWND header) {
    if (!CSubClassBasic::Attach(header))
        return false;
    // Ask the list to lay itself out again, now with the taller header.
    ::SetWindowPos(::GetParent(header), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

int CHeaderCtrlEx::ColumnAt(LPARAM lParam) const {
    HDHITTESTINFO hit = {};
    hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const int column = static_cast<int>(::SendMessageW(m_hWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) ? column : -1;
}

void CHeaderCtrlEx::SetHot(int column) {
    if (column == m_hot)
        return;
    m_hot = column;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CHeaderCtrlEx::SetPressed(int column) {
    if (column == m_pressed)
        return;
    m_pressed = column;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CHeaderCtrlEx::Paint(HDC target, const RECT& client) {
    CMemory_DC dc(target, client.right, client.bottom);
    AutoMemoryDC bitmapDc(::CreateCompatibleDC(target));
    if (!dc.Get() || !bitmapDc)
        return;
    ScopedSelectObject bitmap(bitmapDc.Get(), m_bitmap.Get());
    TileSlice(dc, bitmapDc.Get(), kHeaderBackgroundX, client);

    // The list hands its font to its header.
    HFONT listFont = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    ScopedSelectObject font(dc, listFont ? listFont : BkFontPool::Instance().GetFont(0));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kHeaderText);
    const int columns = static_cast<int>(::SendMessageW(m_hWnd, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < columns; ++i) {
        RECT cell = {};
        ::SendMessageW(m_hWnd, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&cell));
        cell.top = 0;
        cell.bottom = kHeaderHeight;
        if (i == m_pressed)
            TileSlice(dc, bitmapDc.Get(), kHeaderPressedX, cell);
        else if (i == m_hot)
            TileSlice(dc, bitmapDc.Get(), kHeaderHotX, cell);
        ::BitBlt(dc, cell.right - kHeaderSlice, 0, kHeaderSlice, kHeaderHeight, bitmapDc.Get(), kHeaderDividerX, 0,
                 SRCCOPY);

        wchar_t title[128] = {};
        HDITEMW item = {};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.pszText = title;
        item.cchTextMax = 128;
        ::SendMessageW(m_hWnd, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        ::InflateRect(&cell, -kTextInset, 0);
        ::DrawTextW(dc, title, -1, &cell,
                    DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | AlignmentOf(item.fmt));
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT CHeaderCtrlEx::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case HDM_LAYOUT: {
            const LRESULT result = CallSavedProc(message, wParam, lParam);
            auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
            if (result && layout && layout->pwpos && layout->prc) {
                layout->pwpos->cy = kHeaderHeight;
                layout->prc->top = layout->pwpos->y + kHeaderHeight;
            }
            return result;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            RECT client = {};
            ::GetClientRect(hwnd, &client);
            Paint(dc, client);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
            m_mouseLeave.OnMouseMove(hwnd);
            SetHot(ColumnAt(lParam));
            break;
        case WM_MOUSELEAVE:
            m_mouseLeave.OnMouseLeave();
            SetHot(-1);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetPressed(ColumnAt(lParam));
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            SetPressed(-1);
            break;
        default:
            break;
    }
    return CSubClassBasic::WindowProc(hwnd, message, wParam, lParam);
}
