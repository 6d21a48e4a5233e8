// CDrawWindow: the updater's skinned dialog frame. Subclasses a dialog, removes the system caption and
// frame, paints frame strips, panels, caption text, icon and caption buttons from skin images, cuts the
// window region from mask-colour runs and answers the non-client messages itself.
// Lives inside its dialog object; Attach from WM_INITDIALOG, detaches itself at WM_NCDESTROY.
// The images are borrowed from a SkinImageList that must outlive the window. Window thread only.
//
// Protocol with the dialog's own procedure: in the caption band the frame sends it WM_NCHITTEST with
// wParam = the dialog's own handle; answering 1983 keeps the point for the dialog. While painting, the
// frame sends it WM_ERASEBKGND with wParam = the off-screen DC, into which the dialog draws its controls.
#pragma once
#include "skin/files/frame_skin.h"
#include "skin/skinned_window/frame_layout.h"
#include "skin/skinned_window/subclass_basic.h"

#include <gdiplus.h>
#include <memory>
#include <string>
#include <vector>

class SkinImageList;

class CDrawWindow : public CSubClassBasic {
public:
    enum : UINT_PTR { kLeaveTimer = 1983 };
    enum : UINT { kLeaveTimerMs = 300 };

    CDrawWindow() = default;
    ~CDrawWindow() override;

    // Frame settings and the members they fill (icon, caption, colours, tracking size, top clip).
    // Without a frame every message goes straight to the dialog.
    void SetFrame(const FrameSkin& frame, const SkinImageList& images);
    // Window panels of `frameIni` ("WindowPanel"); images are loaded from `skinFolder` and owned.
    void LoadPanels(const std::wstring& frameIni, const std::wstring& skinFolder);

    bool Attach(HWND dialog) override;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Caption buttons as the frame currently shows them, in window coordinates.
    frame_layout::CaptionButtons CaptionButtons() const;
    int MouseState() const { return m_mouseState; }

    POINT m_iconPoint = {5, 5};
    SIZE m_iconSize = {18, 18};
    RECT m_captionRect = {25, 5, 300, 20};
    COLORREF m_captionColor = RGB(255, 255, 255);
    SIZE m_minTrackSize = {800, 0};  // the minimum tracking size, zero members included
    COLORREF m_backColor = RGB(255, 255, 255);
    int m_topClipMaximized = 0;

private:
    struct Panel {
        RECT iniRect;
        std::unique_ptr<Gdiplus::Bitmap> image;
        int style;
    };

    LRESULT HitTest(LPARAM lParam);
    void Paint();
    void PaintFrame(HDC dc, int width, int height);
    void PaintCaptionButtons(HDC dc);
    void RebuildRegion(bool maximized);
    void CollectCornerRuns(Gdiplus::Bitmap* strip, int endLeft, int endRight, std::vector<RECT>& left,
                           std::vector<RECT>& right) const;
    void InvalidateTopBand();
    void SetMouseState(int state);
    SIZE WindowSize() const;
    int TopHeight() const;

    bool m_hasFrame = false;
    FrameSkin m_frame;
    // Borrowed from the skin's image table.
    Gdiplus::Bitmap* m_top = nullptr;
    Gdiplus::Bitmap* m_bottom = nullptr;
    Gdiplus::Bitmap* m_left = nullptr;
    Gdiplus::Bitmap* m_right = nullptr;
    Gdiplus::Bitmap* m_close = nullptr;
    Gdiplus::Bitmap* m_max = nullptr;
    Gdiplus::Bitmap* m_min = nullptr;
    Gdiplus::Bitmap* m_restore = nullptr;

    std::vector<Panel> m_panels;
    int m_mouseState = frame_layout::kMouseNone;
    bool m_trackLeaveArmed = true;
    bool m_leaveTimerRunning = false;
    LONG_PTR m_previousStyle = 0;
    SIZE m_regionSize = {-1, -1};
    bool m_regionMaximized = false;
    bool m_regionSet = false;
    bool m_runsReady = false;
    frame_layout::CornerRuns m_runs;
};
