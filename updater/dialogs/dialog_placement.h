// Where an updater dialog goes: centred on its visible owner, else on the work area of the nearest
// monitor, and pulled back inside that work area. Pure.
#pragma once
#include <windows.h>

constexpr SIZE kMovrelDialogSize = {366, 275};

// Top-left corner for a window of `size`; `owner` null when there is no visible owner.
POINT CentredPosition(SIZE size, const RECT* owner, const RECT& workArea);
