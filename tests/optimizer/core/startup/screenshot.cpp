#include "tests/optimizer/core/startup/screenshot.h"

#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "common/handles.h"
#include "skin/files/skin_paths.h"

bool SaveScreenshot(const std::wstring& name) {
    const std::wstring folder = ProgramFolder() + L"\\screenshots\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    ScopedGetDC screen(nullptr);
    AutoMemoryDC memory(::CreateCompatibleDC(screen.Get()));
    AutoBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    {
        ScopedSelectObject select(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY | CAPTUREBLT);
    }
    Gdiplus::Bitmap image(bitmap.Get(), nullptr);
    CLSID png = {};
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, encoders);
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(encoders[i].MimeType) == L"image/png")
            png = encoders[i].Clsid;
    return image.Save((folder + name + L".png").c_str(), &png, nullptr) == Gdiplus::Ok;
}

int RedScreenPixels(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return 0;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    ScopedGetDC screen(nullptr);
    AutoBitmap dib(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    AutoMemoryDC memory(::CreateCompatibleDC(screen.Get()));
    if (!dib || !memory)
        return -1;
    ScopedSelectObject select(memory.Get(), dib.Get());
    ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
    int red = 0;
    const auto* pixel = static_cast<const BYTE*>(bits);  // blue, green, red, unused
    for (int i = 0; i < width * height; ++i, pixel += 4)
        red += pixel[2] > 150 && pixel[1] < 130 && pixel[0] < 130;
    return red;
}
