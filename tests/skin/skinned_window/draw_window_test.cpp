// The skinned dialog frame on a real dialog: caption buttons, hit test, double clicks, region, painting.
#include <gtest/gtest.h>

#include "common/handles.h"
#include "skin/skinned_window/draw_window.h"
#include "skin/files/frame_skin.h"
#include "skin/files/image_list.h"
#include "skin/files/skin_paths.h"
#include "skin/message_box/message_box_dlg.h"
#include "skin/window/dialog_impl.h"
#include "window_test_dialogs.h"
#include "window_test_support.h"

namespace {
std::wstring FrameSkinFolder() { return ProgramFolder() + L"\\frame_skin\\"; }

// A dialog as the updater builds them: frame settings from the skin, then Attach at initialisation.
class FramedDialog : public CDialogImpl {
public:
    FramedDialog() : CDialogImpl(IDD_TEST_FRAMED) {
        images.Load(FrameSkinFolder());
        skin = ReadFrameSkin(FrameSkinFolder() + L"mainform.ini");
    }
    SkinImageList images;
    FrameSkin skin;
    CDrawWindow frame;
    bool keepBand = false;
    int nestedAsked = 0;
    int paintedInto = 0;
    int leaveTimers = 0;
    bool closed = false;

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (message) {
            case WM_INITDIALOG:
                frame.SetFrame(skin, images);
                frame.LoadPanels(FrameSkinFolder() + L"mainform.ini", FrameSkinFolder());
                frame.Attach(hwnd);
                ::SetWindowTextW(hwnd, L"皮肤框架 Tavisk");
                ::SetWindowPos(hwnd, nullptr, 100, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
                result = TRUE;
                return true;
            case WM_NCHITTEST:
                if (wParam != reinterpret_cast<WPARAM>(hwnd)) return false;
                ++nestedAsked;
                if (!keepBand) return false;
                result = 1983;
                return true;
            case WM_ERASEBKGND: {  // the frame's off-screen DC: draw "controls" into it
                ++paintedInto;
                RECT square = {40, 60, 80, 100};
                AutoBrush green(::CreateSolidBrush(RGB(0, 160, 0)));
                ::FillRect(reinterpret_cast<HDC>(wParam), &square, green.Get());
                result = 1;
                return true;
            }
            case WM_CLOSE:
                closed = true;
                return true;
            case WM_TIMER:
                leaveTimers += wParam == CDrawWindow::kLeaveTimer;
                return false;
            default:
                return false;
        }
    }
};

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class DrawWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dlg.Create(nullptr);
        ASSERT_NE(nullptr, hwnd);
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
        PumpFor(100);
    }
    LRESULT HitAt(int x, int y) { return ::SendMessageW(hwnd, WM_NCHITTEST, 0, ScreenPointParam(hwnd, x, y)); }

    FramedDialog dlg;
    HWND hwnd = nullptr;
};
}  // namespace

TEST_F(DrawWindowTest, CaptionIsGoneAndClientIsTheWholeWindow) {
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION);
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(400, client.right);
    EXPECT_EQ(300, client.bottom);
}

TEST_F(DrawWindowTest, CloseButtonCountsFromTheRightEdge) {
    frame_layout::CaptionButtons b = dlg.frame.CaptionButtons();
    ASSERT_TRUE(b.close.exists);
    EXPECT_EQ(353, b.close.rect.left);
    EXPECT_EQ(5, b.close.rect.top);
    EXPECT_EQ(frame_layout::kHitClose, HitAt(Centre(b.close.rect).x, Centre(b.close.rect).y));
}

TEST_F(DrawWindowTest, MinimizeWithoutItsBoxIsDisabledAndHitTestsAsMenu) {
    frame_layout::CaptionButtons b = dlg.frame.CaptionButtons();
    ASSERT_TRUE(b.min.exists);
    EXPECT_TRUE(b.min.disabled);
    EXPECT_FALSE(b.max.disabled);
    POINT c = Centre(b.min.rect);
    EXPECT_EQ(HTMENU, HitAt(c.x, c.y));
    EXPECT_EQ(frame_layout::kHitMax, HitAt(Centre(b.max.rect).x, Centre(b.max.rect).y));
    // The disabled frame (fourth) of the strip is grey.
    EXPECT_EQ(RGB(0x90, 0x90, 0x90), WindowPixel(hwnd, b.min.rect.left + 1, b.min.rect.top + 1));
    EXPECT_EQ(RGB(0x3c, 0x7c, 0xc0), WindowPixel(hwnd, b.max.rect.left + 1, b.max.rect.top + 1));
}

TEST_F(DrawWindowTest, CaptionBandIsCaptionUnlessTheDialogKeepsIt) {
    EXPECT_EQ(HTCAPTION, HitAt(150, 15));
    EXPECT_EQ(1, dlg.nestedAsked);
    dlg.keepBand = true;
    EXPECT_EQ(HTCLIENT, HitAt(150, 15));
    EXPECT_EQ(HTCLIENT, HitAt(150, 150)) << "below the band the dialog answers";
    EXPECT_EQ(2, dlg.nestedAsked);
    EXPECT_EQ(HTSYSMENU, HitAt(10, 10));
    EXPECT_EQ(HTBOTTOMRIGHT, HitAt(399, 299));
}

TEST_F(DrawWindowTest, DoubleClickOnAButtonDoesNotMaximizeButOnTheCaptionDoes) {
    frame_layout::CaptionButtons b = dlg.frame.CaptionButtons();
    POINT c = Centre(b.max.rect);
    EXPECT_EQ(1, ::SendMessageW(hwnd, WM_NCLBUTTONDBLCLK, frame_layout::kHitMax, ScreenPointParam(hwnd, c.x, c.y)));
    PumpFor(50);
    EXPECT_FALSE(::IsZoomed(hwnd));
    EXPECT_EQ(frame_layout::kMousePressed, dlg.frame.MouseState());

    ::SendMessageW(hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPointParam(hwnd, 150, 15));
    PumpFor(50);
    ASSERT_TRUE(::IsZoomed(hwnd));
    // Maximized: the side and bottom strips fall outside the region.
    AutoRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, ::GetWindowRgn(hwnd, rgn.Get()));
    RECT box = {};
    ::GetRgnBox(rgn.Get(), &box);
    RECT wr = {};
    ::GetWindowRect(hwnd, &wr);
    EXPECT_EQ(4, box.left);
    EXPECT_EQ(wr.right - wr.left - 4, box.right);
    EXPECT_EQ(wr.bottom - wr.top - 6, box.bottom);
    ::ShowWindow(hwnd, SW_RESTORE);
    PumpFor(50);
    EXPECT_FALSE(::IsZoomed(hwnd));
}

TEST_F(DrawWindowTest, TransparentAndBlackCornerPixelsLeaveTheRegion) {
    AutoRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, ::GetWindowRgn(hwnd, rgn.Get()));
    struct Case { int x, y; bool inside; };
    const Case cases[] = {
        {0, 0, false}, {1, 0, false}, {2, 0, false}, {0, 1, false}, {0, 2, false},  // transparent corner
        {3, 0, true}, {1, 1, true}, {5, 20, false},                                  // opaque black is cut too
        {60, 15, true}, {399, 0, false}, {398, 0, false}, {397, 0, false}, {399, 1, false}, {399, 2, false},
        {396, 0, true}, {398, 1, true}, {0, 299, true}, {399, 299, true},            // bottom corners kept
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.inside, ::PtInRegion(rgn.Get(), c.x, c.y) != FALSE) << c.x << "," << c.y;
}

TEST_F(DrawWindowTest, PaintsFrameBackgroundAndTheDialogsControls) {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(50);
    EXPECT_GT(dlg.paintedInto, 0);
    EXPECT_EQ(RGB(0, 160, 0), WindowPixel(hwnd, 50, 70));
    EXPECT_EQ(RGB(240, 244, 248), WindowPixel(hwnd, 200, 200)) << "WindowBk_Color";
    EXPECT_EQ(RGB(0x4a, 0x8c, 0xc8), WindowPixel(hwnd, 200, 28)) << "tiled middle of the top strip";
    EXPECT_EQ(RGB(0x2f, 0x6e, 0xa8), WindowPixel(hwnd, 1, 150)) << "left strip";
    // Panel 1 counts from the right and bottom edges plus one: (300, 200) to (380, 260), stretched.
    EXPECT_EQ(RGB(0xe0, 0x80, 0x20), WindowPixel(hwnd, 340, 230));
    EXPECT_EQ(RGB(240, 244, 248), WindowPixel(hwnd, 340, 262));
    EXPECT_EQ(RGB(240, 244, 248), WindowPixel(hwnd, 382, 230));
    EXPECT_EQ(RGB(240, 244, 248), WindowPixel(hwnd, 160, 160)) << "style 7 draws nothing";
}

TEST_F(DrawWindowTest, ReleasingTheCloseButtonClosesAndOthersActivate) {
    frame_layout::CaptionButtons b = dlg.frame.CaptionButtons();
    POINT c = Centre(b.close.rect);
    ::SendMessageW(hwnd, WM_NCLBUTTONDOWN, frame_layout::kHitClose, ScreenPointParam(hwnd, c.x, c.y));
    EXPECT_EQ(frame_layout::kMousePressed, dlg.frame.MouseState());
    ::SendMessageW(hwnd, WM_NCLBUTTONUP, frame_layout::kHitClose, ScreenPointParam(hwnd, c.x, c.y));
    EXPECT_TRUE(dlg.closed);
    EXPECT_EQ(frame_layout::kMouseHover, dlg.frame.MouseState());
}

TEST_F(DrawWindowTest, LeaveTimerAlsoReachesTheDialog) {
    ::SetCursorPos(1200, 780);  // away from the window
    ::SendMessageW(hwnd, WM_TIMER, CDrawWindow::kLeaveTimer, 0);
    EXPECT_EQ(1, dlg.leaveTimers);
    EXPECT_EQ(frame_layout::kMouseNone, dlg.frame.MouseState()) << "the cursor is not over the window";
}

TEST_F(DrawWindowTest, MinimumTrackingSizeIsTheSkinsAsGiven) {
    for (SIZE size : {SIZE{300, 0}, SIZE{0, 0}, SIZE{200, 100}}) {
        dlg.frame.m_minTrackSize = size;
        MINMAXINFO info = {};
        info.ptMinTrackSize = {123, 45};
        ::SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(size.cx, info.ptMinTrackSize.x) << size.cx << "," << size.cy;
        EXPECT_EQ(size.cy, info.ptMinTrackSize.y) << size.cx << "," << size.cy;
    }
}

TEST_F(DrawWindowTest, DetachesAtDestructionAndRestoresNothingStale) {
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, dlg.frame.GetHwnd());
    EXPECT_EQ(nullptr, dlg.GetHwnd());
}

TEST(DrawWindow, WithoutFrameSettingsEverythingGoesToTheDialog) {
    class Plain : public CDialogImpl {
    public:
        Plain() : CDialogImpl(IDD_TEST_FRAMED) {}
        CDrawWindow frame;
        bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) override {
            if (message != WM_INITDIALOG) return false;
            frame.Attach(hwnd);
            result = TRUE;
            return true;
        }
    } dlg;
    HWND hwnd = dlg.Create(nullptr);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_FALSE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CAPTION) << "Attach still edits the style";
    RECT wr = {};
    ::GetWindowRect(hwnd, &wr);
    EXPECT_NE(HTCAPTION, ::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(wr.left + 50, wr.bottom - 20)));
}

namespace {
CMessageBoxDlg* g_shotBox = nullptr;
void CALLBACK CloseShotBox(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (g_shotBox && g_shotBox->GetHwnd()) ::PostMessageW(g_shotBox->GetHwnd(), WM_COMMAND, IDOK, 0);
}
class ShotParent : public CDialogImpl {
public:
    ShotParent() : CDialogImpl(IDD_TEST_FRAMED) {}
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};
}  // namespace

// Run by hand with --gtest_also_run_disabled_tests while taking a screenshot of the display: shows the
// framed dialog and the message box side by side for SKIN_SHOT_MS milliseconds (default 6000).
TEST(DISABLED_Screenshot, FramedDialogAndMessageBox) {
    FramedDialog dlg;
    HWND hwnd = dlg.Create(nullptr);
    ASSERT_NE(nullptr, hwnd);
    ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(::LoadIconW(nullptr, IDI_APPLICATION)));
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ShotParent anchor;  // invisible; the box centres over it
    HWND anchorHwnd = anchor.Create(nullptr);
    ::SetWindowPos(anchorHwnd, nullptr, 540, 60, 520, 440, SWP_NOZORDER | SWP_NOACTIVATE);
    wchar_t ms[16] = {};
    DWORD hold = ::GetEnvironmentVariableW(L"SKIN_SHOT_MS", ms, 16) ? static_cast<DWORD>(_wtoi(ms)) : 6000;
    CMessageBoxDlg box(anchorHwnd, L"检测到您的虚拟内存设置不合理，是否立即优化？优化后需要重新启动计算机。",
                       kMsgBoxCancel | kMsgBoxWarning);
    g_shotBox = &box;
    ::SetTimer(nullptr, 0, hold, &CloseShotBox);
    EXPECT_EQ(IDOK, box.DoModal(anchorHwnd));
    g_shotBox = nullptr;
}
