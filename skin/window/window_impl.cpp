#include "skin/window/window_impl.h"

CWindowImpl::~CWindowImpl() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // Unbind first: the messages sent during destruction must not reach a half-destroyed object.
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

bool CWindowImpl::RegisterClassOnce() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing = {sizeof(existing)};
    if (::GetClassInfoExW(instance, GetWndClassName(), &existing)) return true;
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = &CWindowImpl::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetBackgroundBrush();
    wc.lpszClassName = GetWndClassName();
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowImpl::Create(HWND parent, const RECT& rect, const wchar_t* title, DWORD style, DWORD exStyle,
                         HMENU menuOrId) {
    if (m_hWnd != nullptr || !RegisterClassOnce()) return nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, GetWndClassName(), title ? title : L"", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                  ::GetModuleHandleW(nullptr), this);
    if (!hwnd) m_hWnd = nullptr;
    return hwnd;
}

bool CWindowImpl::DestroyWindow() {
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd) != FALSE;
}

LRESULT CWindowImpl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowImpl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindowImpl* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->m_hWnd = hwnd;
    } else {
        self = reinterpret_cast<CWindowImpl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    } catch (...) {
        handled = false;  // nothing may cross the window procedure; fall back to default handling
    }
    if (!handled) result = ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self->OnFinalMessage(hwnd);
    }
    return result;
}
