#include "skin/window/dialog_impl.h"

namespace {
// Messages whose dialog-procedure return value is the answer itself rather than "handled".
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_INITDIALOG:
        case WM_QUERYDRAGICON: case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}
}  // namespace

CDialogImpl::CDialogImpl(UINT templateId, HINSTANCE instance)
    : m_templateId(templateId), m_instance(instance ? instance : ::GetModuleHandleW(nullptr)) {}

CDialogImpl::~CDialogImpl() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialogImpl::DoModal(HWND owner, LPARAM initParam) {
    if (m_hWnd) return -1;
    m_modal = true;
    m_initParam = initParam;
    return ::DialogBoxParamW(m_instance, MAKEINTRESOURCEW(m_templateId), owner, &CDialogImpl::DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

HWND CDialogImpl::Create(HWND owner, LPARAM initParam) {
    if (m_hWnd) return nullptr;
    m_modal = false;
    m_initParam = initParam;
    return ::CreateDialogParamW(m_instance, MAKEINTRESOURCEW(m_templateId), owner, &CDialogImpl::DialogProc,
                                reinterpret_cast<LPARAM>(this));
}

bool CDialogImpl::EndDialog(INT_PTR result) {
    if (!m_hWnd) return false;
    return m_modal ? ::EndDialog(m_hWnd, result) != FALSE : ::DestroyWindow(m_hWnd) != FALSE;
}

bool CDialogImpl::IsDialogMessage(MSG* msg) {
    return m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, msg) != FALSE;
}

INT_PTR CALLBACK CDialogImpl::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialogImpl* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogImpl*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        if (!self) return TRUE;
        self->m_hWnd = hwnd;
        lParam = self->m_initParam;
    } else {
        self = reinterpret_cast<CDialogImpl*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->ProcessWindowMessage(hwnd, message, wParam, lParam, result);
    } catch (...) {
        handled = false;  // nothing may cross the dialog procedure
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        self->OnFinalMessage(hwnd);
        return handled ? TRUE : FALSE;
    }
    if (message == WM_INITDIALOG) return handled ? static_cast<INT_PTR>(result) : TRUE;  // default focus
    if (!handled) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
