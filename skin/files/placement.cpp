#include "skin/files/placement.h"

namespace {
RECT Resolve(const RECT& ini, int width, int height, int extra) {
    RECT r = ini;
    if (r.left < 0) r.left += width + extra;
    if (r.right < 0) r.right += width + extra;
    if (r.top < 0) r.top += height + extra;
    if (r.bottom < 0) r.bottom += height + extra;
    return r;
}
}  // namespace

RECT ResolvePlacement(const RECT& ini, int clientWidth, int clientHeight) {
    return Resolve(ini, clientWidth, clientHeight, 0);
}

RECT ResolvePanelPlacement(const RECT& ini, int clientWidth, int clientHeight) {
    return Resolve(ini, clientWidth, clientHeight, 1);
}

RECT ResolveAgainstOwner(HWND owner, const RECT& ini) {
    RECT client = {};
    if (!owner || !::GetClientRect(owner, &client)) client = {};
    return ResolvePlacement(ini, client.right - client.left, client.bottom - client.top);
}
