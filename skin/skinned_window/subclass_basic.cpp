#include "skin/skinned_window/subclass_basic.h"

namespace {
const wchar_t kObjectProperty[] = L"SubClassBasic";
// The procedure below the shared one, kept on the window when an object detached from under a later
// subclass: the shared procedure stays in that subclass's chain and must keep passing messages on.
const wchar_t kBelowProperty[] = L"SubClassBasic.Below";
}  // namespace

CSubClassBasic::~CSubClassBasic() {
    // An object that dies while still attached must not leave the window calling into freed memory.
    if (m_savedProc && m_hWnd && ::IsWindow(m_hWnd)) Detach(false);
}

bool CSubClassBasic::Attach(HWND hwnd) {
    if (!::IsWindow(hwnd) || m_savedProc) return false;
    // A second shared procedure in one chain would find the same object again and recurse for ever.
    if (::GetPropW(hwnd, kObjectProperty) || ::GetPropW(hwnd, kBelowProperty)) return false;
    m_hWnd = hwnd;
    m_savedProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    ::SetPropW(hwnd, kObjectProperty, this);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubClassBasic::SharedProc));
    return true;
}

LRESULT CSubClassBasic::Detach(bool fromNcDestroy) {
    // Copied and cleared first: the procedure that WM_NCDESTROY is forwarded to may delete this object.
    const WNDPROC saved = m_savedProc;
    const HWND hwnd = m_hWnd;
    m_savedProc = nullptr;
    m_hWnd = nullptr;
    if (hwnd) ::RemovePropW(hwnd, kObjectProperty);
    if (!saved) return 0;
    const LRESULT result = fromNcDestroy ? ::CallWindowProcW(saved, hwnd, WM_NCDESTROY, 0, 0) : 1;
    if (!::IsWindow(hwnd)) return result;
    if (::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CSubClassBasic::SharedProc)) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    } else if (!fromNcDestroy) {
        // Someone subclassed after us and calls the shared procedure as theirs: putting ours back
        // would cut them off, so the shared procedure keeps forwarding to what was below it.
        ::SetPropW(hwnd, kBelowProperty, reinterpret_cast<HANDLE>(saved));
    }
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
    if (!self) {
        auto below = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kBelowProperty));
        if (!below) return ::DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) ::RemovePropW(hwnd, kBelowProperty);
        return ::CallWindowProcW(below, hwnd, message, wParam, lParam);
    }
    try {
        return self->WindowProc(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;  // nothing may cross the window procedure
    }
}
