#include "common/background_call.h"

namespace {
// The work is a bounded sequence of system calls, with no deep recursion of its own.
constexpr SIZE_T kStackBytes = 256 * 1024;
}  // namespace

DWORD WINAPI CBackgroundCall::ThreadMain(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return 0;
}

void CBackgroundCall::Start(std::function<void()> work) {
    Join();
    m_work = std::make_unique<std::function<void()>>(std::move(work));
    m_thread.Reset(::CreateThread(nullptr, kStackBytes, ThreadMain, m_work.get(), STACK_SIZE_PARAM_IS_A_RESERVATION,
                                  nullptr));
}

void CBackgroundCall::Join() {
    if (!m_work)
        return;
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), INFINITE);
    else
        (*m_work)();
    m_thread.Reset();
    m_work.reset();
}
