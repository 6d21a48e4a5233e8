// CWindowImpl: a window whose messages go to a C++ object's message map. The object is bound at
// WM_NCCREATE (GWLP_USERDATA) and unbound at WM_NCDESTROY or in the destructor, which destroys a window
// that still exists, so no message ever reaches a dead object. Window thread only; failures return null.
#pragma once
#include "skin/window/message_map.h"

class CWindowImpl : public CMessageMap {
public:
    CWindowImpl() = default;
    ~CWindowImpl() override;
    CWindowImpl(const CWindowImpl&) = delete;
    CWindowImpl& operator=(const CWindowImpl&) = delete;

    // Registers the class on first use and creates the window; null when either fails.
    HWND Create(HWND parent, const RECT& rect, const wchar_t* title, DWORD style, DWORD exStyle = 0,
                HMENU menuOrId = nullptr);
    HWND GetHwnd() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    bool DestroyWindow();

protected:
    virtual const wchar_t* GetWndClassName() const { return L"SkinWindowImpl"; }
    virtual UINT GetClassStyle() const { return CS_DBLCLKS; }
    virtual HBRUSH GetBackgroundBrush() const { return reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1); }
    // Called after WM_NCDESTROY, when the object is already unbound; it may delete the object.
    virtual void OnFinalMessage(HWND hwnd) {}
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

private:
    bool RegisterClassOnce();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
