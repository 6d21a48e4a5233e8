// A message map answers window messages: ProcessWindowMessage returns whether it handled the message
// and leaves the answer in `result`. Derived maps chain to their base by calling its
// ProcessWindowMessage first or last. Window thread only.
#pragma once
#include <windows.h>

class CMessageMap {
public:
    virtual ~CMessageMap() = default;
    virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};
