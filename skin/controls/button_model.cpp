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

unsigned CheckBoxModel::ButtonDown(bool inside) {
    if (m_state == 2) return kEffectNone;
    if (inside) m_armed = true;
    return kEffectNone;
}

unsigned CheckBoxModel::MouseMove(bool inside, bool leftDown) {
    if (m_state == 2) return kEffectNone;
    const int next = !inside ? 0 : (leftDown && !m_armed ? m_state : 1);
    if (next == m_state) return kEffectNone;
    m_state = next;
    return kEffectInvalidate;
}

unsigned CheckBoxModel::ButtonUp(bool inside) {
    if (m_state == 2) return kEffectNone;
    const bool armed = m_armed;
    m_armed = false;
    if (!inside) return kEffectNone;
    if (armed) m_checked = !m_checked;
    m_state = 1;
    return kEffectInvalidate | (armed ? kEffectPostClick : kEffectNone);
}

unsigned LinkModel::ButtonDown(bool inside) {
    if (!inside) return kEffectNone;
    m_armed = true;
    return kEffectInvalidate;
}

unsigned LinkModel::MouseMove(bool inside, bool leftDown) {
    const bool next = !inside ? false : (leftDown && !m_armed ? m_hover : true);
    if (next == m_hover) return kEffectNone;
    m_hover = next;
    return kEffectInvalidate;
}

unsigned LinkModel::MouseLeave() {
    if (!m_hover) return kEffectNone;
    m_hover = false;
    return kEffectInvalidate;
}

unsigned LinkModel::ButtonUp(bool inside) {
    const bool armed = m_armed;
    m_armed = false;
    if (!inside) return kEffectNone;
    m_hover = true;
    return kEffectInvalidate | (armed ? kEffectPostClick : kEffectNone);
}
