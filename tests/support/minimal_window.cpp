// The smallest Win32 program that opens one window, the yardstick of the optimizer's start-up benchmark.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"MinimalWindow";
    ::RegisterClassW(&wc);
    ::CreateWindowExW(WS_EX_APPWINDOW, wc.lpszClassName, L"Minimal", WS_POPUP | WS_VISIBLE, 0, 0, 652, 456, nullptr,
                      nullptr, instance, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
