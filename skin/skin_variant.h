// The updater's build differs from the optimizer's in a few control behaviours; they are chosen here
// and nowhere else, so each control exists once. Compile-time constants only.
#pragma once

namespace skin_variant {
#if defined(SKIN_UPDATER_BUILD) && SKIN_UPDATER_BUILD
constexpr bool kUpdater = true;
#else
constexpr bool kUpdater = false;
#endif

constexpr bool kButtonMoveTextKey = kUpdater;          // "bMoveText" decides whether a pressed caption shifts
constexpr bool kButtonEnterLeaveNotify = kUpdater;     // enter/leave posted as WM_COMMAND high words 256/257
constexpr unsigned kButtonClickDebounceMs = kUpdater ? 300 : 0;  // clicks closer than this are dropped
constexpr unsigned kButtonTipDelayMs = kUpdater ? 600 : 500;     // hover time before the tooltip opens
constexpr bool kButtonDisabledGreyCaption = !kUpdater; // the updater keeps the text colour when disabled
constexpr bool kButtonBoldKnown = !kUpdater;           // only the optimizer draws bold captions
constexpr bool kProgressInteriorInvalidate = kUpdater; // SetPos repaints the bar's inside, not the owner
constexpr bool kSizeTestsIconicOwner = kUpdater;       // WM_SIZE: updater asks IsIconic, optimizer SIZE_MINIMIZED
}  // namespace skin_variant
