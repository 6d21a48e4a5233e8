// Finding the product's top-level windows from a test, and bounded waits. Any thread; nothing is owned.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Waits for `done` with a bounded poll; returns done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The first top-level window for which `match(window, its process id)` holds, or null.
HWND FindTopWindow(const std::function<bool(HWND, DWORD)>& match);

// The top-level window of process `pid` that carries the optimizer's instance property, waiting up to
// `timeoutMs`; null when none appears.
HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs = 30000);

// Any visible top-level window of process `pid` right now.
bool HasVisibleWindow(DWORD pid);

// A visible top-level window titled exactly `title` of one of the processes `pids`, or null.
HWND FindTitledWindow(const std::vector<DWORD>& pids, const std::wstring& title);
