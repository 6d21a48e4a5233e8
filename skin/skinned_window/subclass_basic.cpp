#include "skin/skinned_window/subclass_basic.h"

namespace {
const wchar_t kObjectProperty[] = L"SubClassBasic";
}

CSubClassBasic::~CSubClassBasic() {
    // An object that dies while still attached must not leave the window calling into freed memory.
    if (m_savedProc && m_hWnd && ::IsWindow(m_hWnd)) Detach(false);
}

bool CSubClassBasic::Attach(HWND hwnd) {
    if (!::IsWindow(hwnd) || m_savedProc) return false;
    m_hWnd = hwnd;
    m_savedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    ::SetPropW(hwnd, kObjectProperty, this);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubClassBasic::SharedProc));
    return true;
}

LRESULT CSubClassBasic::Detach(bool fromNcDestroy) {
    if (m_hWnd) ::RemovePropW(m_hWnd, kObjectProperty);
    if (!m_savedProc) return 0;
    WNDPROC saved = m_savedProc;
    HWND hwnd = m_hWnd;
    LRESULT result = 1;
    if (fromNcDestroy) result = ::CallWindowProcW(saved, hwnd, WM_NCDESTROY, 0, 0);
    // Someone who subclassed after us owns the procedure now; putting ours back would cut them off.
    if (::IsWindow(hwnd) &&
        ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CSubClassBasic::SharedProc)) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    }
    m_savedProc = nullptr;
    m_hWnd = nullptr;
    return result;
}

LRESULT CSubClassBasic::CallSavedProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_savedProc) return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcW(m_savedProc, m_hWnd, message, wParam, lParam);
}

LRESULT CSubClassBasic::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) return Detach(true);
    return CallSavedProc(message, wParam, lParam);
}

LRESULT CALLBACK CSubClassBasic::SharedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CSubClassBasic*>(::GetPropW(hwnd, kObjectProperty));
    if (!self) return 1;
    try {
        return self->WindowProc(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may cross the window procedure
    }
}
