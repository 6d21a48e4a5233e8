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

// Hover and click of a link or a check box: `hover` while the cursor is over it (while dragging only
// if the press began on it); a click is an armed release inside.
class HoverClickModel {
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

// Check box: state 0 normal, 1 hover, 2 disabled (only through SetEnabled); toggles on a click.
class CheckBoxModel {
public:
    int State() const { return !m_enabled ? 2 : (m_mouse.Hover() ? 1 : 0); }
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    unsigned ButtonDown(bool inside) { return m_enabled ? m_mouse.ButtonDown(inside) : kEffectNone; }
    unsigned MouseMove(bool inside, bool leftDown) { return m_enabled ? m_mouse.MouseMove(inside, leftDown) : kEffectNone; }
    unsigned MouseLeave() { return m_enabled ? m_mouse.MouseLeave() : kEffectNone; }
    unsigned ButtonUp(bool inside);

private:
    HoverClickModel m_mouse;
    bool m_enabled = true;
    bool m_checked = false;
};

using LinkModel = HoverClickModel;

// Feeds one forwarded message to a model; `inside` is asked only for mouse messages. The link passes
// doubleClickPresses = false: a double click on it must not open its target twice.
template <typename Model, typename InsideFn>
unsigned FeedMouse(Model& model, UINT message, WPARAM wParam, bool doubleClickPresses, InsideFn inside) {
    switch (message) {
    case WM_LBUTTONDBLCLK:
        return doubleClickPresses ? model.ButtonDown(inside()) : kEffectNone;
    case WM_LBUTTONDOWN:
        return model.ButtonDown(inside());
    case WM_MOUSEMOVE:
        return model.MouseMove(inside(), (wParam & MK_LBUTTON) != 0);
    case WM_MOUSELEAVE:
        return model.MouseLeave();
    case WM_LBUTTONUP:
        return model.ButtonUp(inside());
    default:
        return kEffectNone;
    }
}
