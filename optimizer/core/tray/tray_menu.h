// CTrayMenu: the tray's pop-up menu, the first pop-up of the menu resource, loaded once and destroyed
// with its owner. Window thread only; every call on a menu that did not load does nothing.
#pragma once
#include <windows.h>

#include <string>

#include "common/handles.h"
#include "optimizer/core/tray/tray_texts.h"

class CTrayMenu {
public:
    bool Load(HINSTANCE instance, UINT resourceId);
    HMENU Popup() const { return m_popup; }

    void SetText(UINT id, const wchar_t* text);
    void SetEnabled(UINT id, bool enabled);  // greyed and disabled, or enabled
    void Apply(const TrayChange& change, UINT gameModeId, UINT quitId);
    // Opens the menu at `screen` for `owner`; returns when it closes (the choice arrives as WM_COMMAND).
    void Track(HWND owner, POINT screen) const;

    std::wstring Text(UINT id) const;
    bool IsEnabled(UINT id) const;

private:
    AutoMenu m_menu;
    HMENU m_popup = nullptr;  // part of m_menu
};
