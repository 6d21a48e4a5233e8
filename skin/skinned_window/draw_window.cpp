#include "skin/skinned_window/draw_window.h"

#include "common/handles.h"
#include "skin/controls/image.h"
#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/placement.h"
#include "skin/paint/memory_dc.h"

using namespace frame_layout;

namespace {
// Set while the frame asks the dialog about a caption-band point, so that the question reaches the
// dialog instead of the frame's own hit test. Window thread only.
bool g_nestedHitTest = false;

SIZE ImageSize(Gdiplus::Image* image) {
    return {static_cast<LONG>(SkinImageWidth(image)), static_cast<LONG>(SkinImageHeight(image))};
}

bool InsideRect(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }

bool IsCaptionButtonHit(WPARAM hit) {
    const auto code = static_cast<LRESULT>(hit);
    return code >= kHitClose && code <= kHitMax;
}

void DrawPieces(Gdiplus::Graphics& g, Gdiplus::Image* image, const std::vector<StripPiece>& pieces) {
    for (const StripPiece& piece : pieces) {
        if (piece.dst.right <= piece.dst.left || piece.dst.bottom <= piece.dst.top) continue;
        if (piece.src.right <= piece.src.left || piece.src.bottom <= piece.src.top) continue;
        DrawImagePart(g, image, piece.dst, piece.src.left, piece.src.top, piece.src.right - piece.src.left,
                      piece.src.bottom - piece.src.top, piece.tiled);
    }
}
}  // namespace

CDrawWindow::~CDrawWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd) && m_leaveTimerRunning) ::KillTimer(m_hWnd, kLeaveTimer);
}

void CDrawWindow::SetFrame(const FrameSkin& frame, const SkinImageList& images) {
    m_frame = frame;
    m_top = images.Get(frame.imageTopFrame);
    m_bottom = images.Get(frame.imageBottomFrame);
    m_left = images.Get(frame.imageLeftFrame);
    m_right = images.Get(frame.imageRightFrame);
    m_close = images.Get(frame.imageCloseBut);
    m_max = images.Get(frame.imageMaxBut);
    m_min = images.Get(frame.imageMinBut);
    m_restore = images.Get(frame.imageRestorBut);
    m_iconPoint = frame.iconPoint;
    m_iconSize = {frame.iconSize.x, frame.iconSize.y};
    m_captionRect = frame.captionTextRect;
    m_captionColor = frame.captionTextColor;
    m_minTrackSize = {frame.minTracSize.x, frame.minTracSize.y};
    m_backColor = frame.windowBkColor;
    m_topClipMaximized = frame.topClipHeightMaximized;
    m_runsReady = false;
    m_hasFrame = true;
}

void CDrawWindow::LoadPanels(const std::wstring& frameIni, const std::wstring& skinFolder) {
    m_panels.clear();
    for (const WindowPanel& panel : ReadWindowPanels(frameIni)) {
        std::unique_ptr<Gdiplus::Bitmap> image;
        if (!panel.imageFile.empty())
            image = LoadSkinBitmap(skinFolder + panel.imageFile);
        m_panels.push_back({panel.iniRect, std::move(image), panel.drawStyle});
    }
}

bool CDrawWindow::Attach(HWND dialog) {
    if (!CSubClassBasic::Attach(dialog)) return false;
    m_previousStyle = ::GetWindowLongPtrW(dialog, GWL_STYLE);
    ::SetWindowLongPtrW(dialog, GWL_STYLE, (m_previousStyle & ~static_cast<LONG_PTR>(WS_CAPTION)) |
                                               WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    LONG_PTR ex = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    ::SetWindowLongPtrW(dialog, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE));
    ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    return true;
}

SIZE CDrawWindow::WindowSize() const {
    RECT r = {};
    ::GetWindowRect(m_hWnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

int CDrawWindow::TopHeight() const { return static_cast<int>(SkinImageHeight(m_top)); }

void CDrawWindow::InvalidateTopBand() {
    RECT band = {0, 0, WindowSize().cx, TopHeight()};
    ::InvalidateRect(m_hWnd, &band, FALSE);
}

void CDrawWindow::SetMouseState(int state) {
    m_mouseState = state;
    InvalidateTopBand();
}

CaptionButtons CDrawWindow::CaptionButtons() const {
    frame_layout::CaptionButtons b;
    if (!m_hWnd) return b;
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    const int width = WindowSize().cx;
    const int clip = (style & WS_MAXIMIZE) ? m_topClipMaximized : 0;
    HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    const UINT closeState = sysMenu ? ::GetMenuState(sysMenu, SC_CLOSE, MF_BYCOMMAND) : 0xFFFFFFFF;
    if (m_close && closeState != 0xFFFFFFFF) {
        b.close = {true, (closeState & (MF_DISABLED | MF_GRAYED)) != 0,
                   CaptionButtonRect(m_frame.closePoint, width, ImageSize(m_close), clip)};
    }
    if (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
        Gdiplus::Bitmap* maxImage = (style & WS_MAXIMIZE) ? m_restore : m_max;
        if (maxImage) {
            b.max = {true, !(style & WS_MAXIMIZEBOX),
                     CaptionButtonRect(m_frame.maxPoint, width, ImageSize(maxImage), clip)};
        }
        if (m_min) {
            b.min = {true, !(style & WS_MINIMIZEBOX),
                     CaptionButtonRect(m_frame.minPoint, width, ImageSize(m_min), clip)};
        }
    }
    return b;
}

LRESULT CDrawWindow::HitTest(LPARAM lParam) {
    RECT wr = {};
    ::GetWindowRect(m_hWnd, &wr);
    // The point asked about (equal to the cursor for system-generated hit tests).
    POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    HitInput in;
    in.cursor = {screen.x - wr.left, screen.y - wr.top};
    in.window = {wr.right - wr.left, wr.bottom - wr.top};
    in.style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    in.icon = {m_iconPoint.x, m_iconPoint.y, m_iconPoint.x + m_iconSize.cx, m_iconPoint.y + m_iconSize.cy};
    in.buttons = CaptionButtons();
    in.topStripHeight = TopHeight();
    HitDecision decision = DecideHitTest(in);
    if (decision.source == HitSource::Fixed) return decision.code;
    if (decision.source == HitSource::AskDialogInBand) {
        g_nestedHitTest = true;
        LRESULT answer = CallSavedProc(WM_NCHITTEST, reinterpret_cast<WPARAM>(m_hWnd), lParam);
        g_nestedHitTest = false;
        if (BandBelongsToCaption(answer)) return HTCAPTION;
    }
    return CallSavedProc(WM_NCHITTEST, 0, lParam);
}

void CDrawWindow::PaintFrame(HDC dc, int width, int height) {
    const SIZE t = ImageSize(m_top), b = ImageSize(m_bottom), l = ImageSize(m_left), r = ImageSize(m_right);
    Gdiplus::Graphics g(dc);
    if (m_top) DrawPieces(g, m_top, HorizontalStrip(t, m_frame.topLeftOffset, m_frame.topRightOffset, 0, width));
    if (m_bottom) {
        DrawPieces(g, m_bottom, HorizontalStrip(b, m_frame.bottomLeftOffset, m_frame.bottomRightOffset,
                                                height - b.cy, width));
    }
    if (m_left) {
        DrawPieces(g, m_left, VerticalStrip(l, m_frame.leftTopOffset, m_frame.leftBottomOffset, 0, height, t.cy,
                                            b.cy));
    }
    if (m_right) {
        DrawPieces(g, m_right, VerticalStrip(r, m_frame.rightTopOffset, m_frame.rightBottomOffset,
                                             width - r.cx, height, t.cy, b.cy));
    }
    for (const Panel& panel : m_panels) {
        RECT rect = ResolvePanelPlacement(panel.iniRect, width, height);
        if (IsRectEmpty(&rect) || !panel.image || panel.style < 0 || panel.style > 3) continue;
        DrawStyledImage(g, panel.image.get(), panel.style, rect);
    }
}

void CDrawWindow::PaintCaptionButtons(HDC dc) {
    const frame_layout::CaptionButtons b = CaptionButtons();
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    RECT wr = {};
    ::GetWindowRect(m_hWnd, &wr);
    cursor.x -= wr.left;
    cursor.y -= wr.top;
    Gdiplus::Graphics g(dc);
    auto draw = [&](const CaptionButton& button, Gdiplus::Image* image) {
        if (!button.exists || !image) return;
        const int w = button.rect.right - button.rect.left;
        const int frame = CaptionButtonFrame(button.disabled, InsideRect(button.rect, cursor), m_mouseState);
        DrawImagePart(g, image, button.rect, frame * w, 0, w, button.rect.bottom - button.rect.top);
    };
    draw(b.close, m_close);
    draw(b.max, (style & WS_MAXIMIZE) ? m_restore : m_max);
    draw(b.min, m_min);
}

void CDrawWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    const int width = client.right, height = client.bottom;
    {
        CMemory_DC mem(dc, width, height);
        if (mem.Get()) {
            AutoBrush back(::CreateSolidBrush(m_backColor));
            ::FillRect(mem, &client, back.Get());
            PaintFrame(mem, width, height);
            wchar_t title[512] = {};
            ::GetWindowTextW(m_hWnd, title, 512);
            if (title[0]) {
                Gdiplus::StringFormat format;
                format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
                format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
                format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
                const RECT& c = m_captionRect;
                Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(c.left), static_cast<Gdiplus::REAL>(c.top),
                                      static_cast<Gdiplus::REAL>(c.right - c.left),
                                      static_cast<Gdiplus::REAL>(c.bottom - c.top));
                SkinFontLook font;
                font.weight = FW_BOLD;
                DrawSkinText(mem, title, font, m_captionColor, layout, &format);
            }
            if (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_SYSMENU) {
                auto icon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_BIG, 0));
                if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_hWnd, GCLP_HICONSM));
                if (icon) {
                    ::DrawIconEx(mem, m_iconPoint.x, m_iconPoint.y, icon, m_iconSize.cx, m_iconSize.cy, 0, nullptr,
                                 DI_NORMAL);
                }
            }
            PaintCaptionButtons(mem);
            CallSavedProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), 0);
            ::BitBlt(dc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

void CDrawWindow::CollectCornerRuns(Gdiplus::Bitmap* strip, int endLeft, int endRight, std::vector<RECT>& left,
                                    std::vector<RECT>& right) const {
    const SIZE size = ImageSize(strip);
    if (size.cx <= 0 || size.cy <= 0) return;
    // Read the pixels themselves: what a pixel looks like over black decides, the same on every GDI.
    Gdiplus::Rect all(0, 0, size.cx, size.cy);
    Gdiplus::BitmapData data = {};
    if (strip->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return;
    const auto* base = static_cast<const BYTE*>(data.Scan0);
    const COLORREF mask = m_frame.maskColor;
    auto isCut = [base, &data, mask](int x, int y) {
        const auto* row = reinterpret_cast<const Gdiplus::ARGB*>(base + static_cast<ptrdiff_t>(y) * data.Stride);
        return IsCutPixel(row[x], mask);
    };
    left = CollectMaskRuns(0, std::min<int>(endLeft, size.cx), size.cy, isCut);
    right = CollectMaskRuns(std::max<int>(0, size.cx - endRight), size.cx, size.cy, isCut);
    strip->UnlockBits(&data);
}

void CDrawWindow::RebuildRegion(bool maximized) {
    const SIZE size = WindowSize();
    if (maximized) {
        RECT r = MaximizedRegionRect(size, static_cast<int>(SkinImageWidth(m_left)),
                                     static_cast<int>(SkinImageWidth(m_right)),
                                     static_cast<int>(SkinImageHeight(m_bottom)));
        HRGN rgn = ::CreateRectRgnIndirect(&r);
        if (rgn && !::SetWindowRgn(m_hWnd, rgn, TRUE)) ::DeleteObject(rgn);
        m_regionSet = rgn != nullptr;
        return;
    }
    const bool cutTop = m_frame.cutRoundSize.x > 0, cutBottom = m_frame.cutRoundSize.y > 0;
    if (!cutTop && !cutBottom) {
        // A region left over from the maximized variant would clip the restored frame.
        if (m_regionSet) ::SetWindowRgn(m_hWnd, nullptr, TRUE);
        m_regionSet = false;
        return;
    }
    if (!m_runsReady) {
        if (cutTop)
            CollectCornerRuns(m_top, m_frame.topLeftOffset, m_frame.topRightOffset, m_runs.topLeft, m_runs.topRight);
        if (cutBottom) {
            CollectCornerRuns(m_bottom, m_frame.bottomLeftOffset, m_frame.bottomRightOffset, m_runs.bottomLeft,
                              m_runs.bottomRight);
        }
        m_runsReady = true;
    }
    HRGN rgn = ::CreateRectRgn(0, 0, size.cx, size.cy);
    if (!rgn) return;
    for (const RECT& cut : RegionCutouts(m_runs, size, cutTop, cutBottom, m_frame.topRightOffset,
                                         m_frame.bottomRightOffset, static_cast<int>(SkinImageHeight(m_bottom)))) {
        AutoRgn piece(::CreateRectRgnIndirect(&cut));
        if (piece) ::CombineRgn(rgn, rgn, piece.Get(), RGN_DIFF);
    }
    if (::SetWindowRgn(m_hWnd, rgn, TRUE)) {
        m_regionSet = true;
    } else {
        ::DeleteObject(rgn);
    }
}

LRESULT CDrawWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hasFrame) return CSubClassBasic::WindowProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_SIZE: {
            const SIZE size = WindowSize();
            const bool maximized = wParam == SIZE_MAXIMIZED;
            if (size.cx != m_regionSize.cx || size.cy != m_regionSize.cy || maximized != m_regionMaximized) {
                m_regionSize = size;
                m_regionMaximized = maximized;
                RebuildRegion(maximized);
            }
            break;
        }
        case WM_PAINT:
            Paint();
            return 1;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {m_minTrackSize.cx, m_minTrackSize.cy};
            LRESULT own = CallSavedProc(message, wParam, lParam);
            if (own != 0 || !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME)) return own;
            AdjustMaximized(*info, static_cast<int>(SkinImageWidth(m_left)), static_cast<int>(SkinImageWidth(m_right)),
                            static_cast<int>(SkinImageHeight(m_bottom)), m_topClipMaximized);
            return 1;
        }
        case WM_NCDESTROY:
            if (m_leaveTimerRunning) ::KillTimer(hwnd, kLeaveTimer);
            m_leaveTimerRunning = false;
            m_panels.clear();
            return Detach(true);
        case WM_NCCALCSIZE:
            if (wParam) {
                auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
                const RECT proposed = params->rgrc[0];
                CallSavedProc(message, wParam, lParam);
                // The client area is the whole window: the frame is drawn inside it.
                params->rgrc[0] = params->rgrc[1] = params->rgrc[2] = proposed;
                return WVR_REDRAW;
            }
            break;
        case WM_NCHITTEST:
            if (g_nestedHitTest) break;
            return HitTest(lParam);
        case WM_NCACTIVATE: {
            LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION);
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, style);
            if (!(style & WS_THICKFRAME)) return CallSavedProc(message, wParam, lParam);
            // Without the sizing frame the default activation paints no system border over the skin.
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_THICKFRAME));
            LRESULT own = CallSavedProc(message, wParam, lParam);
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, ::GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_THICKFRAME);
            return own;
        }
        case WM_NCMOUSEMOVE:
            if (IsCaptionButtonHit(wParam)) {
                if (!m_leaveTimerRunning) m_leaveTimerRunning = ::SetTimer(hwnd, kLeaveTimer, kLeaveTimerMs, nullptr) != 0;
            } else if (m_leaveTimerRunning) {
                ::KillTimer(hwnd, kLeaveTimer);
                m_leaveTimerRunning = false;
            }
            SetMouseState(m_mouseState == kMousePressed ? kMousePressed : kMouseHover);
            break;
        case WM_NCLBUTTONDOWN:
            SetMouseState(kMousePressed);
            break;
        case WM_NCLBUTTONUP: {
            LRESULT own = CallSavedProc(message, wParam, lParam);
            SetMouseState(kMouseHover);
            if (static_cast<LRESULT>(wParam) == kHitClose) {
                ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
            } else if (static_cast<LRESULT>(wParam) == kHitMin) {
                ::PostMessageW(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            } else if (static_cast<LRESULT>(wParam) == kHitMax) {
                ::PostMessageW(hwnd, WM_SYSCOMMAND, ::IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
            } else {
                ::SetActiveWindow(hwnd);
            }
            return own;
        }
        case WM_NCLBUTTONDBLCLK:
            if (IsCaptionButtonHit(wParam)) {
                SetMouseState(kMousePressed);
                return 1;  // a double click on a caption button must not maximize
            }
            break;
        case WM_ERASEBKGND:
        case WM_NCPAINT:
            return 1;
        case WM_TIMER:
            if (wParam == kLeaveTimer) {
                POINT cursor = {};
                ::GetCursorPos(&cursor);
                if (::WindowFromPoint(cursor) != hwnd) {
                    m_mouseState = kMouseNone;
                    InvalidateTopBand();
                    ::KillTimer(hwnd, kLeaveTimer);
                    m_leaveTimerRunning = false;
                }
            }
            break;
        case WM_MOUSEMOVE:
            m_mouseState = kMouseOverClient;
            if (m_trackLeaveArmed) {
                TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd, 0};
                m_trackLeaveArmed = !::TrackMouseEvent(&track);
            }
            if (m_leaveTimerRunning) {
                ::KillTimer(hwnd, kLeaveTimer);
                m_leaveTimerRunning = false;
            }
            break;
        case WM_MOUSELEAVE:
            m_trackLeaveArmed = true;
            SetMouseState(kMouseNone);
            break;
        default:
            break;
    }
    return CallSavedProc(message, wParam, lParam);
}
