// A message-only window that records the messages of one range posted to it, for the tool workers' tests.
#pragma once
#include <windows.h>

#include <vector>

#include "tests/skin/window_test_support.h"

struct RecordedMessage {
    UINT message;
    LPARAM lParam;
};

class CMessageRecorder {
public:
    CMessageRecorder(UINT first, UINT last) : m_first(first), m_last(last) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SorvikToolMessageRecorder";
        ::RegisterClassW(&wc);  // fails harmlessly when an earlier recorder registered it
        m_hwnd =
            ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CMessageRecorder() { ::DestroyWindow(m_hwnd); }
    CMessageRecorder(const CMessageRecorder&) = delete;
    CMessageRecorder& operator=(const CMessageRecorder&) = delete;

    HWND Window() const { return m_hwnd; }
    const std::vector<RecordedMessage>& Messages() const { return m_messages; }
    bool Saw(UINT message) const {
        for (const RecordedMessage& m : m_messages) {
            if (m.message == message)
                return true;
        }
        return false;
    }
    // Pumps until `message` arrives or timeoutMs pass; true when it arrived.
    bool WaitFor(UINT message, DWORD timeoutMs) {
        return PumpUntil([&] { return Saw(message); }, timeoutMs);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CMessageRecorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message >= self->m_first && message <= self->m_last) {
            self->m_messages.push_back({message, lParam});
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    UINT m_first;
    UINT m_last;
    HWND m_hwnd = nullptr;
    std::vector<RecordedMessage> m_messages;
};
