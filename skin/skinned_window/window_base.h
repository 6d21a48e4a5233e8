// CWindowBase: the optimizer's top-level window. Self-registering class; the object is found through the
// window property "VarnioWnd" (also GWLP_USERDATA). Only a non-zero result from ProcessWindowMessage
// stops default processing; "handled" alone does not. The destructor unbinds and destroys a live window.
// Window thread only.
#pragma once
#include "skin/window/message_map.h"

class CWindowBase : public CMessageMap {
public:
    CWindowBase() = default;
    ~CWindowBase() override;
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;

    // Called before ProcessWindowMessage for every message; its result is not used.
    virtual LRESULT PreProcessMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
    virtual const wchar_t* GetWndClassName() const { return L"Varnio_Wnd"; }
    virtual UINT GetClassStyle() const { return CS_VREDRAW | CS_HREDRAW; }

    // Registers the class (an existing class counts as success) and creates the window; null on failure.
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int width, int height,
                HMENU menu = nullptr);
    // Centres over `reference` (null: the work area), clamped to the work area.
    void CenterWindow(HWND reference = nullptr);
    void SetIcon(HICON icon, bool big);

    HWND GetHwnd() const { return m_hWnd; }
    HWND GetParentHwnd() const { return m_hWndParent; }

protected:
    HWND m_hWnd = nullptr;
    HWND m_hWndParent = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Where a window of `size` lands when centred over `reference`, kept inside `workArea`.
POINT CenteredClampedOrigin(const RECT& reference, SIZE size, const RECT& workArea);
