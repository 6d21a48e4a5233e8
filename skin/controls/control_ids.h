// Message, notification and timer numbers the skin controls use on their owners and on the tooltip.
#pragma once
#include <windows.h>

enum SkinControlNumbers : UINT {
    WM_TABSTRIP_NOTIFY = 0x0A00,    // sent to a tab strip's owner; lParam -> TabStripNotify
    TSN_SELCHANGE = 1,              // wParam of WM_TABSTRIP_NOTIFY: selection changed
    TSN_HOTCHANGE = 2,              // wParam of WM_TABSTRIP_NOTIFY: hot item changed (-1 possible)
    kButtonTipTimer = 39,           // set on the owner by hovered buttons; shared by all its buttons
    kToolTipHideTimer = 734,        // set on the tooltip window: hides it after kToolTipShowMs
    kToolTipShowMs = 2000,
    kButtonEnterCode = 256,         // WM_COMMAND high word: mouse entered a button (updater)
    kButtonLeaveCode = 257,         // WM_COMMAND high word: mouse moved out of a button (updater)
};
