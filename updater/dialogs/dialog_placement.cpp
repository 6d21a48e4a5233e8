#include "updater/dialogs/dialog_placement.h"

#include <algorithm>

POINT CentredPosition(SIZE size, const RECT* owner, const RECT& workArea) {
    const RECT& around = owner ? *owner : workArea;
    LONG x = around.left + ((around.right - around.left) - size.cx) / 2;
    LONG y = around.top + ((around.bottom - around.top) - size.cy) / 2;
    // Right and bottom edges first, so a window larger than the work area keeps its top-left corner visible.
    x = std::max(std::min(x, workArea.right - size.cx), workArea.left);
    y = std::max(std::min(y, workArea.bottom - size.cy), workArea.top);
    return {x, y};
}
