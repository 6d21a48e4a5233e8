#include "skin/skinned_window/window_base.h"

namespace {
const wchar_t kObjectProperty[] = L"VarnioWnd";
}

CWindowBase::~CWindowBase() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // Unbind first so the destruction messages do not reach a half-destroyed object.
        ::RemovePropW(m_hWnd, kObjectProperty);
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

HWND CWindowBase::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width,
                         int height, HMENU menu) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = &CWindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = GetWndClassName();
    if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    m_hWndParent = parent;
    return ::CreateWindowExW(exStyle, GetWndClassName(), title ? title : L"", style, x, y, width, height, parent,
                             menu, instance, this);
}

POINT CenteredClampedOrigin(const RECT& reference, SIZE size, const RECT& workArea) {
    POINT p = {reference.left + (reference.right - reference.left - size.cx) / 2,
               reference.top + (reference.bottom - reference.top - size.cy) / 2};
    if (p.x + size.cx > workArea.right) p.x = workArea.right - size.cx;
    if (p.x < workArea.left) p.x = workArea.left;
    if (p.y + size.cy > workArea.bottom) p.y = workArea.bottom - size.cy;
    if (p.y < workArea.top) p.y = workArea.top;
    return p;
}

void CWindowBase::CenterWindow(HWND reference) {
    if (!m_hWnd) return;
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT over = work;
    if (reference) ::GetWindowRect(reference, &over);
    RECT self = {};
    ::GetWindowRect(m_hWnd, &self);
    POINT p = CenteredClampedOrigin(over, {self.right - self.left, self.bottom - self.top}, work);
    ::SetWindowPos(m_hWnd, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowBase::SetIcon(HICON icon, bool big) {
    if (m_hWnd) ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

LRESULT CALLBACK CWindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ::SetPropW(hwnd, kObjectProperty, self);
        if (self) self->m_hWnd = hwnd;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        auto* self = static_cast<CWindowBase*>(::RemovePropW(hwnd, kObjectProperty));
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self) self->m_hWnd = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* self = static_cast<CWindowBase*>(::GetPropW(hwnd, kObjectProperty));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        self->PreProcessMessage(hwnd, message, wParam, lParam);
        // Whether the map says "handled" is deliberately not consulted: only a non-zero answer counts.
        self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    } catch (...) {
        result = 0;  // nothing may cross the window procedure
    }
    return result != 0 ? result : ::DefWindowProcW(hwnd, message, wParam, lParam);
}
