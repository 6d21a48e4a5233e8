// Pure state machines of the clickable controls: they take what the mouse did (inside or not, left
// button down, tick count) and return what the control must do. No Win32 calls; any thread.
#pragma once
#include <windows.h>

enum ControlEffect : unsigned {
    kEffectNone = 0,
    kEffectInvalidate = 1 << 0,
    kEffectPostClick = 1 << 1,
    kEffectStartTipTimer = 1 << 2,
    kEffectKillTipTimer = 1 << 3,
    kEffectHideTip = 1 << 4,
    kEffectNotifyEnter = 1 << 5,
    kEffectNotifyLeave = 1 << 6,
};

// Drops clicks that follow the last accepted one within `intervalMs` (0 accepts all).
// The first click is always accepted, whatever the tick count.
class ClickDebounce {
public:
    explicit ClickDebounce(unsigned intervalMs) : m_interval(intervalMs) {}
    bool Accept(DWORD tick);

private:
    unsigned m_interval;
    bool m_any = false;
    DWORD m_last = 0;
};

// Button: state 0 normal, 1 hover, 2 pressed, 3 disabled; `armed` = left went down inside.
class ButtonModel {
public:
    enum State { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };
    explicit ButtonModel(unsigned debounceMs, bool enterLeaveNotify)
        : m_debounce(debounceMs), m_enterLeave(enterLeaveNotify) {}

    int State() const { return m_state; }
    bool Armed() const { return m_armed; }
    unsigned Enable(bool enable);                      // state 0 or 3
    unsigned ButtonDown(bool inside);                  // WM_LBUTTONDOWN / WM_LBUTTONDBLCLK
    unsigned MouseMove(bool inside, bool leftDown);
    unsigned MouseLeave();
    // `insideAfter`: the cursor read again after the click was posted.
    unsigned ButtonUp(bool inside, bool insideAfter, DWORD tick);

private:
    ClickDebounce m_debounce;
    bool m_enterLeave;
    int m_state = kNormal;
    bool m_armed = false;
};

// Check box: state 0 normal, 1 hover, 2 disabled (only through SetEnabled); toggles on an armed click.
class CheckBoxModel {
public:
    int State() const { return m_state; }
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    void SetEnabled(bool enabled) { m_state = enabled ? 0 : 2; }
    unsigned ButtonDown(bool inside);
    unsigned MouseMove(bool inside, bool leftDown);
    unsigned ButtonUp(bool inside);

private:
    int m_state = 0;
    bool m_checked = false;
    bool m_armed = false;
};

// Link: hover flag and arming.
class LinkModel {
public:
    bool Hover() const { return m_hover; }
    unsigned ButtonDown(bool inside);
    unsigned MouseMove(bool inside, bool leftDown);
    unsigned MouseLeave();
    unsigned ButtonUp(bool inside);

private:
    bool m_hover = false;
    bool m_armed = false;
};
