#include "skin/controls/tooltip.h"

#include "common/handles.h"
#include "skin/controls/control_ids.h"
#include "skin/controls/skin_draw.h"

namespace {
const wchar_t kClassName[] = L"ToolTipUI";
const wchar_t kProperty[] = L"VarnioToolTip";
}  // namespace

RECT PlaceToolTip(POINT cursor, SIZE text, const RECT& work) {
    const int w = text.cx + 4, h = text.cy + 4;
    RECT r = {cursor.x, cursor.y + 20, cursor.x + w, cursor.y + 20 + h};
    if (r.right > work.right) {
        r.right = work.right;
        r.left = r.right - w;
    }
    if (r.bottom > work.bottom) {
        r.bottom = cursor.y - 10;
        r.top = r.bottom - h;
    }
    return r;
}

SkinToolTip& SkinToolTip::Instance() {
    static SkinToolTip tip;
    return tip;
}

bool SkinToolTip::EnsureWindow() {
    if (m_hwnd && ::IsWindow(m_hwnd)) return true;
    m_hwnd = nullptr;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = CS_DROPSHADOW | CS_DBLCLKS;
    wc.lpfnWndProc = &SkinToolTip::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kClassName;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 600, 400, 100, 100, nullptr, nullptr, instance,
                      this);
    return m_hwnd != nullptr;
}

bool SkinToolTip::IsVisible() const { return m_hwnd && ::IsWindowVisible(m_hwnd); }

bool SkinToolTip::Show(const std::wstring& text) {
    if (text.empty() || IsVisible()) return false;
    if (!EnsureWindow()) return false;
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    m_text = text;
    m_screenRect = PlaceToolTip(cursor, MeasureSkinText(text, SkinFontLook()), work);
    ::SetWindowPos(m_hwnd, HWND_TOPMOST, m_screenRect.left, m_screenRect.top, m_screenRect.right - m_screenRect.left,
                   m_screenRect.bottom - m_screenRect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
    ::SetTimer(m_hwnd, kToolTipHideTimer, kToolTipShowMs, nullptr);
    return true;
}

void SkinToolTip::Hide() {
    if (IsVisible()) ::ShowWindow(m_hwnd, SW_HIDE);
}

void SkinToolTip::OnPaint() {
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(m_hwnd, &ps);
    if (!dc) return;
    RECT client = {};
    ::GetClientRect(m_hwnd, &client);
    const int w = client.right, h = client.bottom;
    AutoMemoryDC memory(::CreateCompatibleDC(dc));
    AutoBitmap bitmap(::CreateCompatibleBitmap(dc, w, h));
    if (memory && bitmap) {
        ScopedSelectObject selectBitmap(memory.Get(), bitmap.Get());
        AutoBrush back(::CreateSolidBrush(m_backColor));
        ::FillRect(memory.Get(), &client, back.Get());
        ::SetBkMode(memory.Get(), TRANSPARENT);
        AutoFont font = CreateSkinFont(SkinFontLook());
        {
            ScopedSelectObject selectFont(memory.Get(), font.Get());
            RECT textRect = client;
            ::InflateRect(&textRect, -2, -2);
            ::DrawTextW(memory.Get(), m_text.c_str(), static_cast<int>(m_text.size()), &textRect, DT_VCENTER);
        }
        AutoBrush border(::CreateSolidBrush(m_borderColor));
        ::FrameRect(memory.Get(), &client, border.Get());
        ::BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
    }
    ::EndPaint(m_hwnd, &ps);
}

LRESULT CALLBACK SkinToolTip::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* tip = static_cast<SkinToolTip*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tip));
        ::SetPropW(hwnd, kProperty, tip);
        tip->m_hwnd = hwnd;
    }
    auto* tip = reinterpret_cast<SkinToolTip*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_TIMER:
        if (wParam == kToolTipHideTimer && tip) {
            tip->Hide();
            ::KillTimer(hwnd, kToolTipHideTimer);
        }
        break;
    case WM_PAINT:
        if (tip) {
            tip->OnPaint();
            return 0;
        }
        break;
    case WM_DESTROY:
        ::RemovePropW(hwnd, kProperty);
        break;
    case WM_NCDESTROY:
        ::RemovePropW(hwnd, kProperty);
        if (tip && tip->m_hwnd == hwnd) tip->m_hwnd = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
