#include "tests/support/product_windows.h"

#include <algorithm>

namespace {

struct TopWindowSearch {
    const std::function<bool(HWND, DWORD)>* match;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopWindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (!(*search->match)(window, pid))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

HWND FindTopWindow(const std::function<bool(HWND, DWORD)>& match) {
    TopWindowSearch search = {&match, nullptr};
    ::EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindTopWindow(
                [pid](HWND w, DWORD owner) { return owner == pid && ::GetPropW(w, L"VarnioSorvik") != nullptr; });
            return window != nullptr;
        },
        timeoutMs);
    return window;
}

bool HasVisibleWindow(DWORD pid) {
    return FindTopWindow([pid](HWND w, DWORD owner) { return owner == pid && ::IsWindowVisible(w); }) != nullptr;
}

HWND FindTitledWindow(const std::vector<DWORD>& pids, const std::wstring& title) {
    return FindTopWindow([&](HWND w, DWORD owner) {
        if (std::find(pids.begin(), pids.end(), owner) == pids.end() || !::IsWindowVisible(w))
            return false;
        wchar_t text[256] = {};
        ::GetWindowTextW(w, text, 256);
        return title == text;
    });
}
