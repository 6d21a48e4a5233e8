#include "skin/controls/button_model.h"

bool ClickDebounce::Accept(DWORD tick) {
    // Unsigned difference survives the tick count's wrap after 49.7 days.
    if (m_interval && m_any && tick - m_last <= m_interval) return false;
    m_any = true;
    m_last = tick;
    return true;
}

unsigned ButtonModel::Enable(bool enable) {
    m_state = enable ? kNormal : kDisabled;
    m_armed = false;
    return kEffectInvalidate;
}

unsigned ButtonModel::ButtonDown(bool inside) {
    if (m_state == kDisabled) return kEffectNone;
    unsigned effects = kEffectHideTip;
    if (inside && m_state != kPressed) {
        m_armed = true;
        m_state = kPressed;
        effects |= kEffectInvalidate;
    }
    return effects;
}

unsigned ButtonModel::MouseMove(bool inside, bool leftDown) {
    if (m_state == kDisabled) return kEffectNone;
    if (!inside) {
        if (m_state == kNormal) return kEffectNone;
        m_state = kNormal;
        return kEffectInvalidate | kEffectKillTipTimer | kEffectHideTip | (m_enterLeave ? kEffectNotifyLeave : kEffectNone);
    }
    if (leftDown) {
        if (!m_armed || m_state == kPressed) return kEffectNone;
        m_state = kPressed;
        return kEffectInvalidate;
    }
    if (m_state == kHover) return kEffectNone;
    m_state = kHover;
    return kEffectInvalidate | kEffectStartTipTimer | (m_enterLeave ? kEffectNotifyEnter : kEffectNone);
}

unsigned ButtonModel::MouseLeave() {
    if (m_state == kDisabled || m_state == kNormal) return kEffectNone;
    m_state = kNormal;
    return kEffectInvalidate | kEffectKillTipTimer | kEffectHideTip;
}

unsigned ButtonModel::ButtonUp(bool inside, bool insideAfter, DWORD tick) {
    if (m_state == kDisabled) return kEffectNone;
    const bool armed = m_armed;
    m_armed = false;
    if (!inside) {
        if (m_state == kNormal) return kEffectNone;
        m_state = kNormal;
        return kEffectInvalidate;
    }
    if (m_state == kHover) return kEffectNone;
    m_state = kHover;
    unsigned effects = kEffectInvalidate;
    if (armed && m_debounce.Accept(tick)) effects |= kEffectPostClick;
    if (!insideAfter) m_state = kNormal;
    return effects;
}

unsigned HoverClickModel::ButtonDown(bool inside) {
    if (!inside) return kEffectNone;
    m_armed = true;
    return kEffectInvalidate;
}

unsigned HoverClickModel::MouseMove(bool inside, bool leftDown) {
    const bool next = !inside ? false : (leftDown && !m_armed ? m_hover : true);
    if (next == m_hover) return kEffectNone;
    m_hover = next;
    return kEffectInvalidate;
}

unsigned HoverClickModel::MouseLeave() {
    if (!m_hover) return kEffectNone;
    m_hover = false;
    return kEffectInvalidate;
}

unsigned HoverClickModel::ButtonUp(bool inside) {
    const bool armed = m_armed;
    m_armed = false;
    if (!inside) return kEffectNone;
    m_hover = true;
    return kEffectInvalidate | (armed ? kEffectPostClick : kEffectNone);
}

unsigned CheckBoxModel::ButtonUp(bool inside) {
    if (!m_enabled) return kEffectNone;
    const unsigned effects = m_mouse.ButtonUp(inside);
    if (effects & kEffectPostClick) m_checked = !m_checked;
    return effects;
}
