#include "tests/optimizer/core/services/sweep_recorder.h"

#include <algorithm>

#include "optimizer/core/services/service_messages.h"

namespace {
const wchar_t kClassName[] = L"SorvikSweepRecorder";
}

CSweepRecorder::CSweepRecorder() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);  // fails harmlessly when a previous recorder registered it
    m_hwnd = ::CreateWindowExW(0, kClassName, L"recorder", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CSweepRecorder::~CSweepRecorder() {
    if (m_hwnd) {
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hwnd);
    }
}

bool CSweepRecorder::Saw(UINT message) const {
    for (const RecordedMessage& m : m_messages) {
        if (m.message == message) return true;
    }
    return false;
}

bool CSweepRecorder::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return done();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, (std::min<DWORD>)(timeoutMs - elapsed, 50), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

LRESULT CALLBACK CSweepRecorder::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CSweepRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message >= WM_SVC_STOP_DONE && message <= WM_SVC_START_PROGRESS) {
        self->m_messages.push_back({message, lParam});
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
