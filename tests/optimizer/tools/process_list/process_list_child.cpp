// A program the process-list tests and benchmark start under names of their own. It waits on its
// message queue, so that its starter can wait for its start-up (WaitForInputIdle), and ends by itself
// after a minute so that a failed test leaves nothing running.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 60000) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
    }
    return 0;
}
