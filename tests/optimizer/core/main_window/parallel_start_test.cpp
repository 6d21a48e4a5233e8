// The window whose skin decodes on worker threads beside the service snapshot: its first paint of page 0
// is the serial start-up's, pixel for pixel, and its image table ends as the serial one, also when every
// core is busy with other work.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "window_test_support.h"

namespace {

using Pixels = std::vector<uint32_t>;

// Every entry of a table as it draws: absent, failed to decode, or its size and premultiplied pixels.
std::vector<Pixels> Entries(const SkinImageList& table) {
    std::vector<Pixels> entries;
    for (int number = 1; number <= static_cast<int>(table.Count()); ++number) {
        Gdiplus::Bitmap* image = table.Get(number);
        if (!image || image->GetLastStatus() != Gdiplus::Ok) {
            entries.push_back({image ? 1u : 0u});
            continue;
        }
        Gdiplus::Rect all(0, 0, static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()));
        Gdiplus::BitmapData data = {};
        Pixels entry = {2u, image->GetWidth(), image->GetHeight()};
        if (image->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) == Gdiplus::Ok) {
            for (UINT y = 0; y < data.Height; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
                entry.insert(entry.end(), row, row + data.Width);
            }
            image->UnlockBits(&data);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

struct Start {
    Pixels firstPaint;           // the client area as the first WM_PAINT left it
    std::vector<Pixels> images;  // the image table afterwards (reading an entry not placed completes it)
};

// A new window: its first paint, read back from its window DC, and its image table.
Start StartWindow(bool serialImages) {
    MainWindowSettings settings = TestWindowSettings();
    settings.serialImages = serialImages;
    CMainWindow window(settings);
    HWND hwnd = window.CreateMainWindow();
    if (!hwnd)
        return {};
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(hwnd);
    HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(copy, dib);
    ::BitBlt(copy, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    Start start = {Pixels(first, first + client.right * client.bottom), Entries(window.Skin().Images())};
    ::SelectObject(copy, old);
    ::DeleteDC(copy);
    ::DeleteObject(dib);
    ::ReleaseDC(hwnd, screen);
    ::DestroyWindow(hwnd);
    MSG quit;  // the destroyed window's own
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return start;
}

size_t Differing(const Pixels& a, const Pixels& b) {
    size_t count = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        count += a[i] != b[i];
    return count;
}

// Keeps every processor busy until destroyed.
class CLoad {
public:
    CLoad() {
        SYSTEM_INFO info = {};
        ::GetSystemInfo(&info);
        for (DWORD i = 0; i < info.dwNumberOfProcessors; ++i)
            m_threads.push_back(::CreateThread(nullptr, 64 * 1024, Spin, &m_stop, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                               nullptr));
    }
    ~CLoad() {
        m_stop = true;
        for (HANDLE thread : m_threads) {
            ::WaitForSingleObject(thread, INFINITE);
            ::CloseHandle(thread);
        }
    }

private:
    static DWORD WINAPI Spin(void* stop) {
        volatile unsigned sum = 0;
        while (!*static_cast<std::atomic<bool>*>(stop))
            sum = sum + 1;
        return 0;
    }
    std::atomic<bool> m_stop{false};
    std::vector<HANDLE> m_threads;
};

}  // namespace

TEST_F(MainWindowTest, TheFirstPaintAndTheImageTableAreTheSerialStartUpsEvenUnderLoad) {
    const Start serial = StartWindow(true);
    ASSERT_FALSE(serial.firstPaint.empty());
    ASSERT_FALSE(serial.images.empty());
    const Start alone = StartWindow(false);
    EXPECT_EQ(0u, Differing(serial.firstPaint, alone.firstPaint));
    EXPECT_TRUE(serial.images == alone.images);
    CLoad load;
    for (int n = 1; n <= 20; ++n) {
        const Start loaded = StartWindow(false);
        EXPECT_EQ(0u, Differing(serial.firstPaint, loaded.firstPaint)) << "start " << n;
        EXPECT_TRUE(serial.images == loaded.images) << "start " << n;
    }
}
