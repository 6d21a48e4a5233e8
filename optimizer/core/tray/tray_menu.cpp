#include "optimizer/core/tray/tray_menu.h"

bool CTrayMenu::Load(HINSTANCE instance, UINT resourceId) {
    m_menu.Reset(::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId)));
    m_popup = m_menu ? ::GetSubMenu(m_menu.Get(), 0) : nullptr;
    return m_popup != nullptr;
}

void CTrayMenu::SetText(UINT id, const wchar_t* text) {
    if (!m_popup || !text)
        return;
    // ModifyMenu resets the item's state: keep its greying.
    const UINT state = ::GetMenuState(m_popup, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED);
    ::ModifyMenuW(m_popup, id, MF_BYCOMMAND | MF_STRING | state, id, text);
}

void CTrayMenu::SetEnabled(UINT id, bool enabled) {
    if (m_popup)
        ::EnableMenuItem(m_popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}

void CTrayMenu::Apply(const TrayChange& change, UINT gameModeId, UINT quitId) {
    SetText(gameModeId, change.gameModeItem);
    SetText(quitId, change.quitItem);
    if (change.items == TrayChange::kItemsUnchanged)
        return;
    SetEnabled(gameModeId, change.items == TrayChange::kItemsEnabled);
    SetEnabled(quitId, change.items == TrayChange::kItemsEnabled);
}

void CTrayMenu::Track(HWND owner, POINT screen) const {
    if (!m_popup)
        return;
    ::TrackPopupMenu(m_popup, 0, screen.x, screen.y, 0, owner, nullptr);
    // Lets the menu close when the user clicks elsewhere next time.
    ::PostMessageW(owner, WM_NULL, 0, 0);
}

std::wstring CTrayMenu::Text(UINT id) const {
    wchar_t text[128] = {};
    if (m_popup)
        ::GetMenuStringW(m_popup, id, text, ARRAYSIZE(text), MF_BYCOMMAND);
    return text;
}

bool CTrayMenu::IsEnabled(UINT id) const {
    if (!m_popup)
        return false;
    const UINT state = ::GetMenuState(m_popup, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}
