#include "skin/skinned_window/frame_layout.h"

#include <cstdlib>

namespace frame_layout {
namespace {
bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }
RECT Xywh(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
}  // namespace

int CaptionButtonX(int pointX, int windowWidth, int buttonWidth) {
    return pointX >= 0 ? pointX : pointX + windowWidth + 1 - buttonWidth;
}

RECT CaptionButtonRect(POINT point, int windowWidth, SIZE stripSize, int topClip) {
    int w = stripSize.cx / 4;
    int x = CaptionButtonX(point.x, windowWidth, w);
    int y = std::abs(static_cast<int>(point.y)) + topClip;
    return Xywh(x, y, w, stripSize.cy);
}

int CaptionButtonFrame(bool disabled, bool cursorInside, int mouseState) {
    if (disabled) return 3;
    if (cursorInside) return mouseState == kMouseHover ? 1 : 2;
    return 0;
}

HitDecision DecideHitTest(const HitInput& in) {
    const POINT p = in.cursor;
    if (in.style & WS_SYSMENU) {
        if (Inside(in.icon, p)) return {HitSource::Fixed, HTSYSMENU};
        const CaptionButtons& b = in.buttons;
        if (b.close.exists && Inside(b.close.rect, p)) return {HitSource::Fixed, kHitClose};
        if (b.min.exists && Inside(b.min.rect, p))
            return {HitSource::Fixed, (in.style & WS_MINIMIZEBOX) ? kHitMin : HTMENU};
        if (b.max.exists && Inside(b.max.rect, p))
            return {HitSource::Fixed, (in.style & WS_MAXIMIZEBOX) ? kHitMax : HTMENU};
    }
    if (in.style & WS_THICKFRAME) {
        const int b = 3, w = in.window.cx, h = in.window.cy;
        bool left = p.x < b, right = p.x >= w - b, top = p.y < b, bottom = p.y >= h - b;
        if (top && left) return {HitSource::Fixed, HTTOPLEFT};
        if (top && right) return {HitSource::Fixed, HTTOPRIGHT};
        if (bottom && left) return {HitSource::Fixed, HTBOTTOMLEFT};
        if (bottom && right) return {HitSource::Fixed, HTBOTTOMRIGHT};
        if (top) return {HitSource::Fixed, HTTOP};
        if (bottom) return {HitSource::Fixed, HTBOTTOM};
        if (left) return {HitSource::Fixed, HTLEFT};
        if (right) return {HitSource::Fixed, HTRIGHT};
    }
    if (in.topStripHeight > 0 && p.y >= 1 && p.y < 1 + in.topStripHeight) return {HitSource::AskDialogInBand, 0};
    return {HitSource::Dialog, 0};
}

std::vector<StripPiece> HorizontalStrip(SIZE image, int endLeft, int endRight, int y, int width) {
    const int w = image.cx, h = image.cy;
    return {
        {Xywh(0, 0, endLeft, h), Xywh(0, y, endLeft, h), false},
        {Xywh(endLeft, 0, w - endLeft - endRight, h), Xywh(endLeft, y, width - endLeft - endRight, h), true},
        {Xywh(w - endRight, 0, endRight, h), Xywh(width - endRight, y, endRight, h), false},
    };
}

std::vector<StripPiece> VerticalStrip(SIZE image, int endTop, int endBottom, int x, int windowHeight, int topH,
                                      int bottomH) {
    const int w = image.cx, h = image.cy;
    return {
        {Xywh(0, 0, w, endTop), Xywh(x, topH, w, endTop), false},
        {Xywh(0, endTop, w, h - endTop - endBottom),
         Xywh(x, topH + endTop, w, windowHeight - topH - bottomH - endTop - endBottom), true},
        {Xywh(0, h - endBottom, w, endBottom), Xywh(x, windowHeight - bottomH - endBottom, w, endBottom), false},
    };
}

void AdjustMaximized(MINMAXINFO& info, int leftWidth, int rightWidth, int bottomHeight, int topClip) {
    info.ptMaxPosition.x -= leftWidth;
    info.ptMaxSize.x += leftWidth + rightWidth;
    info.ptMaxSize.y += bottomHeight + topClip;
    info.ptMaxPosition.y -= topClip;
    info.ptMaxTrackSize = info.ptMaxSize;
}

std::vector<RECT> CollectMaskRuns(int firstColumn, int endColumn, int height,
                                  const std::function<bool(int x, int y)>& isMask) {
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        int x = firstColumn;
        while (x < endColumn) {
            if (!isMask(x, y)) {
                ++x;
                continue;
            }
            int start = x;
            while (x < endColumn && isMask(x, y)) ++x;
            RECT run = {start - firstColumn, y, x - firstColumn, y + 1};
            bool merged = false;
            for (RECT& r : runs) {
                if (r.left == run.left && r.right == run.right && r.bottom == y) {
                    r.bottom = y + 1;
                    merged = true;
                    break;
                }
            }
            if (!merged) runs.push_back(run);
        }
    }
    return runs;
}

bool IsCutPixel(Gdiplus::ARGB argb, COLORREF maskColor) {
    const unsigned a = (argb >> 24) & 0xFF;
    auto over = [a](unsigned c) { return (c * a + 127) / 255; };  // composited over opaque black
    const COLORREF seen = RGB(over((argb >> 16) & 0xFF), over((argb >> 8) & 0xFF), over(argb & 0xFF));
    return seen == 0 || seen == (maskColor & 0xFFFFFF);
}

std::vector<RECT> RegionCutouts(const CornerRuns& runs, SIZE window, bool cutTop, bool cutBottom, int topRightEnd,
                                int bottomRightEnd, int bottomHeight) {
    std::vector<RECT> out;
    auto add = [&out](const std::vector<RECT>& list, int dx, int dy) {
        for (RECT r : list) {
            OffsetRect(&r, dx, dy);
            out.push_back(r);
        }
    };
    if (cutTop) {
        add(runs.topLeft, 0, 0);
        add(runs.topRight, window.cx - topRightEnd, 0);
    }
    if (cutBottom) {
        add(runs.bottomLeft, 0, window.cy - bottomHeight);
        add(runs.bottomRight, window.cx - bottomRightEnd, window.cy - bottomHeight);
    }
    return out;
}

RECT MaximizedRegionRect(SIZE window, int leftWidth, int rightWidth, int bottomHeight) {
    return {leftWidth, 0, window.cx - rightWidth, window.cy - bottomHeight};
}

}  // namespace frame_layout
