// CSubClassBasic: replaces a window's procedure and routes its messages to WindowProc of this object,
// found through the window property "SubClassBasic". The base WindowProc calls the saved procedure.
// The object must outlive the subclassing (Detach, or the window's WM_NCDESTROY). Window thread only.
#pragma once
#include <windows.h>

class CSubClassBasic {
public:
    CSubClassBasic() = default;
    virtual ~CSubClassBasic();
    CSubClassBasic(const CSubClassBasic&) = delete;
    CSubClassBasic& operator=(const CSubClassBasic&) = delete;

    // Fails (false) when `hwnd` is not a window, this object is already attached, or the window is
    // (or was, under a later subclass) subclassed by a CSubClassBasic already.
    virtual bool Attach(HWND hwnd);
    // Outside WM_NCDESTROY: restores the saved procedure, returns 1 (0 when not attached); under a later
    // subclass the shared procedure instead keeps forwarding to the saved one. From WM_NCDESTROY:
    // forwards it to the saved procedure and returns that procedure's answer; this object is not
    // touched after the forward, so that procedure may delete it.
    virtual LRESULT Detach(bool fromNcDestroy);
    virtual LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND GetHwnd() const { return m_hWnd; }

protected:
    LRESULT CallSavedProc(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_savedProc = nullptr;
    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SharedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
