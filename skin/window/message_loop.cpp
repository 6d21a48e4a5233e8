#include "skin/window/message_loop.h"

#include <algorithm>

namespace {
thread_local CMessageLoop* t_current = nullptr;

template <typename T>
bool RemoveOne(std::vector<T*>& list, T* item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}
}  // namespace

CMessageLoop::CMessageLoop() : m_previous(t_current) { t_current = this; }

CMessageLoop::~CMessageLoop() {
    if (t_current == this) t_current = m_previous;
}

CMessageLoop* CMessageLoop::ForThisThread() { return t_current; }

void CMessageLoop::AddMessageFilter(CMessageFilter* filter) {
    if (filter) m_filters.push_back(filter);
}
bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) { return RemoveOne(m_filters, filter); }
void CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
    if (handler) m_idleHandlers.push_back(handler);
}
bool CMessageLoop::RemoveIdleHandler(CIdleHandler* handler) { return RemoveOne(m_idleHandlers, handler); }

bool CMessageLoop::PreTranslateMessage(MSG* msg) {
    // A copy, because a filter may remove itself (a dialog closing) while the message is offered.
    std::vector<CMessageFilter*> filters(m_filters.rbegin(), m_filters.rend());
    for (CMessageFilter* filter : filters) {
        if (std::find(m_filters.begin(), m_filters.end(), filter) == m_filters.end()) continue;
        if (filter->PreTranslateMessage(msg)) return true;
    }
    return false;
}

bool CMessageLoop::OnIdle() {
    std::vector<CIdleHandler*> handlers(m_idleHandlers);
    bool again = false;
    for (CIdleHandler* handler : handlers) {
        if (std::find(m_idleHandlers.begin(), m_idleHandlers.end(), handler) == m_idleHandlers.end()) continue;
        again = handler->OnIdle() || again;
    }
    return again;
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
    // Mouse moves, paints and caret blinks come constantly; they must not wake the idle handlers.
    switch (msg.message) {
        case WM_MOUSEMOVE: case WM_NCMOUSEMOVE: case WM_PAINT: case 0x0118 /* WM_SYSTIMER */:
            return false;
        default:
            return true;
    }
}

int CMessageLoop::Run() {
    bool doIdle = true;
    MSG msg = {};
    for (;;) {
        while (doIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            doIdle = OnIdle();
        }
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) continue;  // an invalid window filter; nothing to dispatch
        if (!got) break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (IsIdleMessage(msg)) doIdle = true;
    }
    return static_cast<int>(msg.wParam);
}
