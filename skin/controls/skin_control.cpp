#include "skin/controls/skin_control.h"

#include "skin/files/placement.h"
#include "skin/skin_variant.h"

void SkinControl::SetBounds(int left, int top, int right, int bottom) {
    m_iniRect = {left, top, right, bottom};
    ResolveRect();
}

void SkinControl::Show(bool visible) {
    m_visible = visible;
    Invalidate();
}

bool SkinControl::AttachOwner(HWND owner, WORD id) {
    if (!::IsWindow(owner)) return false;
    m_owner = owner;
    m_id = id;
    return true;
}

void SkinControl::ResolveRect() { m_rect = ResolveAgainstOwner(m_owner, m_iniRect); }

void SkinControl::Invalidate() const {
    if (m_owner) ::InvalidateRect(m_owner, &m_rect, FALSE);
}

void SkinControl::InvalidateOwner() const {
    if (m_owner) ::InvalidateRect(m_owner, nullptr, FALSE);
}

void SkinControl::PostCommand(WPARAM wParam) const {
    if (m_owner) ::PostMessageW(m_owner, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(m_owner));
}

bool SkinControl::CursorInside() const {
    POINT cursor = {};
    if (!m_owner || !::GetCursorPos(&cursor) || !::ScreenToClient(m_owner, &cursor)) return false;
    return ::PtInRect(&m_rect, cursor) != FALSE;
}

bool SkinControl::IsMinimizeSize(WPARAM wParam) const {
    if (skin_variant::kSizeTestsIconicOwner) return m_owner && ::IsIconic(m_owner);
    return wParam == SIZE_MINIMIZED;
}
