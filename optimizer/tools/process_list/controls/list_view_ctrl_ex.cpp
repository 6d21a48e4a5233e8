#include "optimizer/tools/process_list/controls/list_view_ctrl_ex.h"

#include <commctrl.h>
#include <windowsx.h>

#include "optimizer/tools/process_list/controls/list_look.h"
#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/skin_paths.h"
#include "skin/paint/font_pool.h"
#include "skin/paint/memory_dc.h"

using namespace list_look;

namespace {
constexpr int kEndColumn = 4;
struct Column {
    const wchar_t* title;
    int width;
};
const Column kColumns[] = {{L"进程名", 150}, {L"描述信息", 150}, {L"CPU占用", 100}, {L"内存占用", 100}, {L"管理", 100}};

void FillColor(HDC dc, const RECT& area, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
}

// The cell of `column` within the row rectangle, from the column widths (the order is fixed).
RECT CellRect(HWND list, const RECT& row, int column) {
    RECT cell = row;
    for (int i = 0; i < column; ++i)
        cell.left += static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
    cell.right = cell.left + static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    return cell;
}

RECT CenteredButton(const RECT& cell) {
    const int left = cell.left + (cell.right - cell.left - kEndButton.cx) / 2;
    const int top = cell.top + (cell.bottom - cell.top - kEndButton.cy) / 2;
    return {left, top, left + kEndButton.cx, top + kEndButton.cy};
}
}  // namespace

CListViewCtrlEx::CListViewCtrlEx() = default;
CListViewCtrlEx::~CListViewCtrlEx() = default;

HWND CListViewCtrlEx::Create(HWND parent, const RECT& rect, int id) {
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!list)
        return nullptr;
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    SkinFontLook look;
    look.height = -12;
    m_font = CreateSkinFont(look);
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(RowFont()), FALSE);
    for (int i = 0; i < static_cast<int>(sizeof(kColumns) / sizeof(kColumns[0])); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_CENTER;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<wchar_t*>(kColumns[i].title);
        column.iSubItem = i;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    // A list view keeps its first column left-aligned whatever it is told; its header title is centred
    // here like the others.
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    HDITEMW first = {};
    first.mask = HDI_FORMAT;
    first.fmt = HDF_CENTER | HDF_STRING;
    ::SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&first));
    ::SendMessageW(list, LVM_SETBKCOLOR, 0, kListBackground);
    m_endButton = LoadDrawableSkinBitmap(OptimizerSkinFolder(ProgramFolder()) + L"end_button.png");
    Attach(list);
    m_header.Attach(header);
    return list;
}

HFONT CListViewCtrlEx::RowFont() const {
    return m_font ? m_font.Get() : BkFontPool::Instance().GetFont(0);
}

RECT CListViewCtrlEx::EndButtonRect(int row) const {
    RECT bounds = {LVIR_BOUNDS};
    if (row < 0 || !::SendMessageW(m_hWnd, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)))
        return {};
    return CenteredButton(CellRect(m_hWnd, bounds, kEndColumn));
}

int CListViewCtrlEx::RowAt(POINT point) const {
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = static_cast<int>(::SendMessageW(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) ? row : -1;
}

int CListViewCtrlEx::ButtonAt(POINT point) const {
    const int row = RowAt(point);
    const RECT button = EndButtonRect(row);
    return row >= 0 && ::PtInRect(&button, point) ? row : -1;
}

void CListViewCtrlEx::InvalidateRow(int row) const {
    RECT bounds = {LVIR_BOUNDS};
    if (row >= 0 && ::SendMessageW(m_hWnd, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)))
        ::InvalidateRect(m_hWnd, &bounds, FALSE);
}

void CListViewCtrlEx::SetHover(int row, bool onButton) {
    if (row == m_hotRow && onButton == m_hotButton)
        return;
    InvalidateRow(m_hotRow);
    m_hotRow = row;
    m_hotButton = onButton;
    InvalidateRow(m_hotRow);
}

void CListViewCtrlEx::SetPressed(int row) {
    if (row == m_pressedRow)
        return;
    InvalidateRow(m_pressedRow);
    m_pressedRow = row;
    InvalidateRow(m_pressedRow);
}

int CListViewCtrlEx::ButtonState(int row) const {
    if (row == m_pressedRow)
        return 2;
    return row == m_hotRow && m_hotButton ? 1 : 0;
}

void CListViewCtrlEx::DrawItem(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    const RECT& bounds = item.rcItem;
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn off-screen and copied in one go, so a refresh does not flicker.
    CMemory_DC dc(item.hDC, width, height);
    if (!dc.Get())
        return;
    const RECT local = {0, 0, width, height};
    COLORREF background = row % 2 ? kOddRow : kEvenRow;
    if (item.itemState & ODS_SELECTED)
        background = kSelectedRow;
    else if (row == m_hotRow)
        background = kHotRow;
    FillColor(dc, local, background);

    ScopedSelectObject font(dc, RowFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kRowText);
    for (int column = 0; column < kEndColumn; ++column) {
        wchar_t text[512] = {};
        LVITEMW cell = {};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = 512;
        ::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        RECT area = CellRect(m_hWnd, local, column);
        ::InflateRect(&area, -kTextInset, 0);
        ::DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    const RECT button = CenteredButton(CellRect(m_hWnd, local, kEndColumn));
    if (m_endButton) {
        Gdiplus::Graphics graphics(dc.Get());
        DrawImagePart(graphics, m_endButton.get(), button, ButtonState(row) * kEndButton.cx, 0, kEndButton.cx,
                      kEndButton.cy);
    } else {
        // Without the skin image the cell still says what it does.
        RECT area = button;
        ::DrawTextW(dc, L"管理", -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    ::BitBlt(item.hDC, bounds.left, bounds.top, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT CListViewCtrlEx::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE: {
            m_mouseLeave.OnMouseMove(hwnd);
            const int buttonRow = ButtonAt(at);
            SetHover(RowAt(at), buttonRow >= 0);
            if (m_pressedRow >= 0)
                return 0;  // the button keeps the mouse until release
            break;
        }
        case WM_MOUSELEAVE:
            m_mouseLeave.OnMouseLeave();
            SetHover(-1, false);
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT cursor = {};
                ::GetCursorPos(&cursor);
                ::ScreenToClient(hwnd, &cursor);
                ::SetCursor(::LoadCursorW(nullptr, ButtonAt(cursor) >= 0 ? IDC_HAND : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int row = ButtonAt(at);
            if (row < 0)
                break;
            // Handled here: the list's own press handling waits for a drag, which a button does not need.
            ::SetFocus(hwnd);
            LVITEMW select = {};
            select.stateMask = select.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessageW(hwnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&select));
            SetPressed(row);
            ::SetCapture(hwnd);
            if (m_onEndPress)
                m_onEndPress(row);
            return 0;
        }
        case WM_LBUTTONUP:
            if (m_pressedRow >= 0) {
                const int row = m_pressedRow;
                SetPressed(-1);
                ::ReleaseCapture();
                if (ButtonAt(at) == row && m_onEndButton)
                    m_onEndButton();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd)
                SetPressed(-1);
            break;
        default:
            break;
    }
    return CSubClassBasic::WindowProc(hwnd, message, wParam, lParam);
}
