#include "tests/skin/controls/skin_test_support.h"

#include "skin/files/gdiplus_session.h"
#include "skin/files/skin_paths.h"

#include <gtest/gtest.h>

namespace {
// GDI+ lives for the whole test program, as it does for the real programs.
class GdiplusEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_session = new ScopedGdiplus(); ASSERT_TRUE(m_session->Ok()); }
    void TearDown() override { delete m_session; }

private:
    ScopedGdiplus* m_session = nullptr;
};
::testing::Environment* const kGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);
}  // namespace

std::wstring TestSkinRoot() { return ProgramFolder() + L"\\test_skins\\"; }
std::wstring TestSkinFolder() { return TestSkinRoot() + L"Sk_sv\\"; }
std::wstring TestControlsIni() { return TestSkinFolder() + L"controls.ini"; }

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<const DWORD*>(bits);
    m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    Fill(fill);
}

void DibCanvas::Fill(COLORREF color) {
    AutoBrush brush(::CreateSolidBrush(color));
    const RECT all = {0, 0, m_width, m_height};
    ::FillRect(m_dc.Get(), &all, brush.Get());
}

COLORREF DibCanvas::Pixel(int x, int y) const {
    ::GdiFlush();
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    const DWORD p = m_bits[y * m_width + x];  // BGRA in memory
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

namespace {
const wchar_t kOwnerClass[] = L"SkinTestOwner";
}

TestOwner::TestOwner() {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TestOwner::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOwnerClass;
    ::RegisterClassExW(&wc);
    m_hwnd = ::CreateWindowExW(0, kOwnerClass, L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                               wc.hInstance, this);
    Pump();
}

TestOwner::~TestOwner() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
}

void TestOwner::Mouse(UINT message, int x, int y, WPARAM keys) {
    POINT screen = {x, y};
    ::ClientToScreen(m_hwnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(m_hwnd, message, keys, MAKELPARAM(x, y));
}

void TestOwner::Click(int x, int y) {
    Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x, y);
    Pump();
}

size_t TestOwner::CommandCount(WPARAM wParam) const {
    size_t n = 0;
    for (const auto& c : commands) n += c.first == wParam && c.second == reinterpret_cast<LPARAM>(m_hwnd);
    return n;
}

void TestOwner::PumpOnce() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK TestOwner::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<TestOwner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    for (SkinControl* control : self->m_controls) control->OnMessage(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        self->commands.emplace_back(wParam, lParam);
        return 0;
    case WM_TABSTRIP_NOTIFY:
        self->tabNotes.emplace_back(wParam, *reinterpret_cast<const TabStripNotify*>(lParam));
        return 0;
    case WM_NCDESTROY:
        self->m_hwnd = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
