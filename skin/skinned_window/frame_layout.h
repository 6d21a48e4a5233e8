// Geometry and decisions of the updater's skinned dialog frame: caption buttons, hit test, frame strips,
// maximized size and the region cut from mask-colour runs. Pure functions of values; any thread.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <functional>
#include <vector>

namespace frame_layout {

constexpr LRESULT kHitClose = 1000, kHitMin = 1001, kHitMax = 1002;  // caption button hit codes
// A dialog answering the nested WM_NCHITTEST with this keeps a caption-band point for itself.
constexpr LRESULT kKeepPointAnswer = 1983;
enum MouseState : int { kMouseNone = 0, kMouseHover = 512, kMousePressed = 513, kMouseOverClient = 514 };

// x of a caption button: a negative point counts from the window's right edge (+ width + 1 - button width).
int CaptionButtonX(int pointX, int windowWidth, int buttonWidth);
// Button of one quarter of `stripSize` at `point` (|y|, moved down by `topClip` while maximized).
RECT CaptionButtonRect(POINT point, int windowWidth, SIZE stripSize, int topClip);
// Strip frame: 3 disabled; cursor inside: 1 while hovering (512), 2 otherwise; else 0.
int CaptionButtonFrame(bool disabled, bool cursorInside, int mouseState);

struct CaptionButton {
    bool exists = false;
    bool disabled = false;
    RECT rect = {};  // window coordinates
};
struct CaptionButtons {
    CaptionButton close, max, min;
};

struct HitInput {
    POINT cursor = {};  // window coordinates
    SIZE window = {};
    DWORD style = 0;
    RECT icon = {};     // window coordinates
    CaptionButtons buttons;
    int topStripHeight = 0;  // 0: no top strip image
};
enum class HitSource { Fixed, AskDialogInBand, Dialog };
struct HitDecision {
    HitSource source;
    LRESULT code;  // for Fixed
};
// Sysmenu parts, then 3-pixel sizing borders, then the caption band (where the dialog is asked), else
// the dialog itself.
HitDecision DecideHitTest(const HitInput& in);
// The dialog's answer to the nested question in the caption band: 1983 keeps the point (the dialog's
// own hit test then answers), anything else makes it HTCAPTION.
inline bool BandBelongsToCaption(LRESULT nestedAnswer) { return nestedAnswer != kKeepPointAnswer; }

// One piece of a frame strip: source and destination as (x, y, x + w, y + h); `tiled` stretches with
// tile-flip so the middle repeats the pattern instead of smearing it.
struct StripPiece {
    RECT src, dst;
    bool tiled;
};
// Horizontal strip (top or bottom) of an image w x h at y across a window `width` wide.
std::vector<StripPiece> HorizontalStrip(SIZE image, int endLeft, int endRight, int y, int width);
// Vertical strip (left or right) at x between the top strip (height topH) and the bottom one (bottomH).
std::vector<StripPiece> VerticalStrip(SIZE image, int endTop, int endBottom, int x, int windowHeight, int topH,
                                      int bottomH);

// WM_GETMINMAXINFO of a sizable frame: the side, bottom and clipped top strips lie off-screen when maximized.
void AdjustMaximized(MINMAXINFO& info, int leftWidth, int rightWidth, int bottomHeight, int topClip);

// Runs of mask pixels in columns [firstColumn, endColumn) of rows [0, height), relative to firstColumn;
// a run extends an existing rectangle with the same columns that ends at this row.
std::vector<RECT> CollectMaskRuns(int firstColumn, int endColumn, int height,
                                  const std::function<bool(int x, int y)>& isMask);

// Whether a strip pixel (straight ARGB) is cut from the region: seen over opaque black it is black
// (fully transparent or pure black pixels) or it shows the mask colour.
bool IsCutPixel(Gdiplus::ARGB argb, COLORREF maskColor);

struct CornerRuns {
    std::vector<RECT> topLeft, topRight, bottomLeft, bottomRight;  // right runs relative to their end piece
};
// Rectangles to cut out of (0, 0, W, H): corner runs moved to their places.
std::vector<RECT> RegionCutouts(const CornerRuns& runs, SIZE window, bool cutTop, bool cutBottom, int topRightEnd,
                                int bottomRightEnd, int bottomHeight);
// Region of a maximized frame: what remains on screen.
RECT MaximizedRegionRect(SIZE window, int leftWidth, int rightWidth, int bottomHeight);

}  // namespace frame_layout
