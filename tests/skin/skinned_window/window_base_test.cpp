// CWindowBase's dispatch rule, its property and centring; the font pool's keys.
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "common/handles.h"
#include "skin/paint/font_pool.h"
#include "skin/skinned_window/window_base.h"

namespace {
class EraseWindow : public CWindowBase {
public:
    LRESULT eraseResult = 0;
    int preProcessed = 0;
    LRESULT PreProcessMessage(HWND, UINT, WPARAM, LPARAM) override {
        ++preProcessed;
        return 1;  // ignored by the dispatch
    }
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message != WM_ERASEBKGND) return false;
        result = eraseResult;
        return true;  // "handled", yet only a non-zero result stops default erasing
    }
};

// Sends WM_ERASEBKGND with a black memory DC and returns what the DC shows afterwards.
COLORREF EraseIntoBlack(HWND hwnd, LRESULT* answer) {
    HDC screen = ::GetDC(nullptr);
    AutoMemoryDC mem(::CreateCompatibleDC(screen));
    AutoBitmap bmp(::CreateCompatibleBitmap(screen, 8, 8));
    ::ReleaseDC(nullptr, screen);
    ScopedSelectObject select(mem.Get(), bmp.Get());
    RECT r = {0, 0, 8, 8};
    ::FillRect(mem.Get(), &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    *answer = ::SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem.Get()), 0);
    return ::GetPixel(mem.Get(), 2, 2) & 0xFFFFFF;
}
}  // namespace

TEST(WindowBase, HandledEraseWithResultZeroStillErases) {
    EraseWindow w;
    ASSERT_NE(nullptr, w.Create(nullptr, L"erase", WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100));
    EXPECT_EQ(static_cast<CWindowBase*>(&w), ::GetPropW(w.GetHwnd(), L"VarnioWnd"));
    LRESULT answer = 0;
    EXPECT_EQ(RGB(255, 255, 255), EraseIntoBlack(w.GetHwnd(), &answer)) << "the class's white brush";
    EXPECT_NE(0, answer);
    EXPECT_GT(w.preProcessed, 0);

    w.eraseResult = 1;
    EXPECT_EQ(RGB(0, 0, 0), EraseIntoBlack(w.GetHwnd(), &answer));
    EXPECT_EQ(1, answer);
}

TEST(WindowBase, ClassNameAndStyleComeFromTheVirtualSlots) {
    class Dui : public EraseWindow {
        const wchar_t* GetWndClassName() const override { return L"Varnio_DirectUI"; }
        UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS; }
    } w;
    ASSERT_NE(nullptr, w.Create(nullptr, L"dui", WS_POPUP, 0, 0, 0, 50, 50));
    wchar_t name[64] = {};
    ::GetClassNameW(w.GetHwnd(), name, 64);
    EXPECT_STREQ(L"Varnio_DirectUI", name);
    EXPECT_EQ(11u, ::GetClassLongPtrW(w.GetHwnd(), GCL_STYLE));
    Dui second;  // registering the same class again counts as success
    EXPECT_NE(nullptr, second.Create(nullptr, L"dui2", WS_POPUP, 0, 0, 0, 50, 50));
}

TEST(WindowBase, PropertyLeavesWithTheWindowAndTheObjectForgetsIt) {
    EraseWindow w;
    HWND hwnd = w.Create(nullptr, L"gone", WS_POPUP, 0, 0, 0, 50, 50);
    ASSERT_NE(nullptr, hwnd);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, w.GetHwnd());
}

TEST(WindowBase, CentredOriginIsClampedToTheWorkArea) {
    const RECT work = {0, 0, 1000, 700};
    struct Case { RECT over; SIZE size; POINT expected; };
    const Case cases[] = {
        {{0, 0, 1000, 700}, {200, 100}, {400, 300}},
        {{900, 600, 1100, 800}, {300, 200}, {700, 500}},     // off the bottom right
        {{-200, -100, 0, 0}, {300, 200}, {0, 0}},            // off the top left
        {{0, 0, 1000, 700}, {1200, 900}, {0, 0}},            // bigger than the work area: top left wins
    };
    for (const Case& c : cases) {
        POINT p = CenteredClampedOrigin(c.over, c.size, work);
        EXPECT_EQ(c.expected.x, p.x);
        EXPECT_EQ(c.expected.y, p.y);
    }
}

TEST(FontPool, KeysSelectStyleAndSize) {
    LOGFONTW base = {};
    base.lfHeight = -11;
    struct Case { uint32_t key; LONG height; LONG weight; BYTE italic, underline; };
    const Case cases[] = {
        {0, -11, FW_NORMAL, 0, 0},
        {BkFontPool::kBold, -11, FW_BOLD, 0, 0},
        {BkFontPool::kItalic | BkFontPool::kUnderline, -11, FW_NORMAL, 1, 1},
        {BkFontPool::SizeDelta(3) | BkFontPool::kBold, -14, FW_BOLD, 0, 0},
        {BkFontPool::SizeDelta(-2), -9, FW_NORMAL, 0, 0},  // bits 8-15 are signed
    };
    for (const Case& c : cases) {
        LOGFONTW lf = BkFontPool::FontForKey(base, c.key);
        EXPECT_EQ(c.height, lf.lfHeight) << c.key;
        EXPECT_EQ(c.weight, lf.lfWeight) << c.key;
        EXPECT_EQ(c.italic, lf.lfItalic) << c.key;
        EXPECT_EQ(c.underline, lf.lfUnderline) << c.key;
    }
}

TEST(FontPool, CachesOneFontPerKeyOnTahoma) {
    BkFontPool& pool = BkFontPool::Instance();
    EXPECT_STREQ(L"Tahoma", pool.BaseFont().lfFaceName);
    EXPECT_EQ(-11, pool.BaseFont().lfHeight);
    HFONT bold = pool.GetFont(BkFontPool::kBold);
    ASSERT_NE(nullptr, bold);
    EXPECT_EQ(bold, pool.GetFont(BkFontPool::kBold));
    EXPECT_NE(bold, pool.GetFont(0));
}

#include "skin/paint/memory_dc.h"

TEST(MemoryDc, ZeroSizeBecomesOnePixelAndDrawsIntoItsOwnDib) {
    HDC screen = ::GetDC(nullptr);
    {
        CMemory_DC empty(screen, 0, 0);
        ASSERT_NE(nullptr, empty.Get());
        EXPECT_EQ(1, empty.Width());
        EXPECT_EQ(1, empty.Height());
        CMemory_DC dc(screen, 10, 4);
        ASSERT_NE(nullptr, dc.Bits());
        ::SetPixel(dc, 2, 3, RGB(10, 20, 30));
        // Bottom-up rows: y 3 of 4 is the first row in memory; pixels are BGRA.
        const auto* px = static_cast<const BYTE*>(dc.Bits()) + 2 * 4;
        EXPECT_EQ(30, px[0]);
        EXPECT_EQ(10, px[2]);
    }
    {
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 7, 5);
        CImage_DC image(screen, bmp);
        ASSERT_NE(nullptr, image.Get());
        EXPECT_EQ(7, image.Width());
        EXPECT_EQ(5, image.Height());
        EXPECT_EQ(bmp, ::GetCurrentObject(image, OBJ_BITMAP));
    }
    ::ReleaseDC(nullptr, screen);
}

#include "skin/skinned_window/main_window_frame.h"
#include "skin/skinned_window/subclass_basic.h"

TEST(MainWindowFrame, DragBandLeavesTheCaptionButtonsAlone) {
    const RECT close = {370, 8, 390, 28}, minimize = {345, 8, 365, 28};
    struct Case { POINT p; bool drags; };
    const Case cases[] = {{{10, 10}, true}, {{10, 39}, true}, {{10, 40}, false}, {{375, 10}, false},
                          {{350, 20}, false}, {{367, 20}, true}, {{10, -1}, false}};
    for (const Case& c : cases) EXPECT_EQ(c.drags, StartsMainWindowDrag(c.p, close, minimize)) << c.p.x << "," << c.p.y;
}

TEST(MainWindowFrame, RegionRoundsTheCornersAndKeepsTheEdges) {
    AutoRgn rgn(CreateMainWindowRegion(200, 100));
    ASSERT_TRUE(rgn);
    EXPECT_FALSE(::PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(::PtInRegion(rgn.Get(), 199, 99));
    EXPECT_TRUE(::PtInRegion(rgn.Get(), 199, 50)) << "the right edge column stays";
    EXPECT_TRUE(::PtInRegion(rgn.Get(), 100, 99)) << "the bottom edge row stays";
}

namespace {
LRESULT CALLBACK Answer7(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_APP ? 7 : ::DefWindowProcW(hwnd, message, wParam, lParam);
}
struct Doubler : CSubClassBasic {
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT r = CSubClassBasic::WindowProc(hwnd, message, wParam, lParam);
        return message == WM_APP ? r * 2 : r;
    }
};
HWND MakePlainWindow() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &Answer7;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SubclassTarget";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, L"SubclassTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
}
}  // namespace

TEST(SubClassBasic, RoutesThroughTheObjectAndDetachRestores) {
    HWND hwnd = MakePlainWindow();
    ASSERT_NE(nullptr, hwnd);
    Doubler sub;
    EXPECT_FALSE(sub.Attach(nullptr));
    ASSERT_TRUE(sub.Attach(hwnd));
    EXPECT_FALSE(sub.Attach(hwnd)) << "attached once";
    EXPECT_EQ(&sub, ::GetPropW(hwnd, L"SubClassBasic"));
    EXPECT_EQ(14, ::SendMessageW(hwnd, WM_APP, 0, 0));
    EXPECT_EQ(1, sub.Detach(false));
    EXPECT_EQ(nullptr, ::GetPropW(hwnd, L"SubClassBasic"));
    EXPECT_EQ(7, ::SendMessageW(hwnd, WM_APP, 0, 0));
    EXPECT_EQ(0, sub.Detach(false)) << "nothing to detach";
    ::DestroyWindow(hwnd);
}

namespace {
WNDPROC g_belowLater = nullptr;
int g_laterSaw = 0;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++g_laterSaw;
    return ::CallWindowProcW(g_belowLater, hwnd, message, wParam, lParam);
}
}  // namespace

TEST(SubClassBasic, DetachFromUnderALaterSubclassKeepsTheWindowWorking) {
    HWND hwnd = MakePlainWindow();
    Doubler sub;
    ASSERT_TRUE(sub.Attach(hwnd));
    g_laterSaw = 0;
    g_belowLater = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    EXPECT_EQ(14, ::SendMessageW(hwnd, WM_APP, 0, 0));
    EXPECT_EQ(1, sub.Detach(false));
    EXPECT_EQ(7, ::SendMessageW(hwnd, WM_APP, 0, 0)) << "the window's own procedure answers again";
    EXPECT_EQ(2, g_laterSaw) << "and the later subclass still sees every message";
    EXPECT_FALSE(sub.Attach(hwnd)) << "not again while the old subclass is still in the chain";
    EXPECT_EQ(7, ::SendMessageW(hwnd, WM_APP, 0, 0));
    ::DestroyWindow(hwnd);
}

namespace {
// Storage for a subclass object that the window's own procedure destroys at WM_NCDESTROY, as a
// dialog that deletes itself there would; afterwards nothing may write to it.
alignas(Doubler) unsigned char g_doomed[sizeof(Doubler)];
LRESULT CALLBACK DestroysItsSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        reinterpret_cast<Doubler*>(g_doomed)->~Doubler();
        std::memset(g_doomed, 0xCD, sizeof(g_doomed));
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

TEST(SubClassBasic, ForwardedNcDestroyMayDestroyTheObject) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &DestroysItsSubclass;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SubclassDestroyer";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hwnd);
    auto* sub = new (g_doomed) Doubler;
    ASSERT_TRUE(sub->Attach(hwnd));
    ::DestroyWindow(hwnd);
    int written = 0;
    for (unsigned char byte : g_doomed) written += byte != 0xCD;
    EXPECT_EQ(0, written) << "bytes of the destroyed object written after the forward";
}

TEST(SubClassBasic, DetachesItselfAtNcDestroyAndSurvivesTheWindow) {
    HWND hwnd = MakePlainWindow();
    auto* sub = new Doubler;
    ASSERT_TRUE(sub->Attach(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, sub->GetHwnd());
    delete sub;  // nothing left to unhook
}
