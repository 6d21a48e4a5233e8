// SkinControl: the common model of windowless skin controls. A control is a plain object inside its
// owner window's object; the owner forwards every message to OnMessage (the control never consumes
// one), calls Paint from its own WM_PAINT into its off-screen DC, and receives clicks as posted
// WM_COMMAND (wParam = id, lParam = the owner's own HWND). Window thread only; no locks.
#pragma once
#include <windows.h>

class SkinControl {
public:
    virtual ~SkinControl() = default;

    HWND GetOwner() const { return m_owner; }
    WORD GetId() const { return m_id; }
    RECT GetRect() const { return m_rect; }        // resolved client coordinates
    RECT GetIniRect() const { return m_iniRect; }  // as read or set; negatives count from right/bottom
    bool IsVisible() const { return m_visible; }

    // Sets the ini rectangle and resolves it against the owner's current client area.
    virtual void SetBounds(int left, int top, int right, int bottom);
    // Sets the visible flag and invalidates the control's rectangle.
    virtual void Show(bool visible);
    // Draws into `dc` (client coordinates of the owner) when visible.
    virtual void Paint(HDC dc) = 0;
    // Looks at the messages its kind cares about; never consumes any.
    virtual void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {}

protected:
    // Stores owner and id; false (nothing stored) when `owner` is not a window.
    bool AttachOwner(HWND owner, WORD id);
    void ResolveRect();
    void Invalidate() const;       // the control's rectangle on the owner
    void InvalidateOwner() const;  // the owner's whole client area
    void PostCommand(WPARAM wParam) const;
    bool CursorInside() const;     // GetCursorPos converted to the owner's client area
    // WM_SIZE that only minimised the owner (the updater asks IsIconic, the optimizer SIZE_MINIMIZED).
    bool IsMinimizeSize(WPARAM wParam) const;

    HWND m_owner = nullptr;  // not owned
    RECT m_iniRect = {};
    RECT m_rect = {};
    WORD m_id = 0xFFFF;
    bool m_visible = true;
};
