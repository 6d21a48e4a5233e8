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
