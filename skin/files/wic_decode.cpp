#include "skin/files/wic_decode.h"

#include <wincodec.h>

#include "common/handles.h"

namespace {

// Whether the decoded format carries alpha, or a palette that may: those are kept with their alpha.
bool MayHaveAlpha(IWICImagingFactory* factory, const WICPixelFormatGUID& format) {
    IWICComponentInfo* rawInfo = nullptr;
    if (FAILED(factory->CreateComponentInfo(format, &rawInfo)))
        return true;
    AutoCom<IWICComponentInfo> info(rawInfo);
    IWICPixelFormatInfo2* rawFormat = nullptr;
    if (FAILED(info.Get()->QueryInterface(IID_PPV_ARGS(&rawFormat))))
        return true;
    AutoCom<IWICPixelFormatInfo2> formatInfo(rawFormat);
    BOOL transparency = TRUE;
    if (FAILED(formatInfo.Get()->SupportsTransparency(&transparency)))
        return true;
    WICPixelFormatNumericRepresentation numbers = WICPixelFormatNumericRepresentationUnspecified;
    formatInfo.Get()->GetNumericRepresentation(&numbers);
    return transparency || numbers == WICPixelFormatNumericRepresentationIndexed;
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> DecodeWithWic(IStream* stream) {
    IWICImagingFactory* rawFactory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&rawFactory))))
        return nullptr;
    AutoCom<IWICImagingFactory> factory(rawFactory);
    IWICBitmapDecoder* rawDecoder = nullptr;
    if (FAILED(factory.Get()->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &rawDecoder)))
        return nullptr;
    AutoCom<IWICBitmapDecoder> decoder(rawDecoder);
    UINT frames = 0;
    IWICBitmapFrameDecode* rawFrame = nullptr;
    // Images of several frames keep GDI+'s own handling of their frames.
    if (FAILED(decoder.Get()->GetFrameCount(&frames)) || frames != 1 || FAILED(decoder.Get()->GetFrame(0, &rawFrame)))
        return nullptr;
    AutoCom<IWICBitmapFrameDecode> frame(rawFrame);
    UINT width = 0, height = 0;
    WICPixelFormatGUID source = {};
    if (FAILED(frame.Get()->GetSize(&width, &height)) || width == 0 || height == 0 || width > 0x7FFF ||
        height > 0x7FFF || FAILED(frame.Get()->GetPixelFormat(&source)))
        return nullptr;
    bool alpha = MayHaveAlpha(factory.Get(), source);
    IWICFormatConverter* rawConverter = nullptr;
    if (FAILED(factory.Get()->CreateFormatConverter(&rawConverter)))
        return nullptr;
    AutoCom<IWICFormatConverter> converter(rawConverter);
    const auto convert = [&](const WICPixelFormatGUID& to) {
        return SUCCEEDED(converter.Get()->Initialize(frame.Get(), to, WICBitmapDitherTypeNone, nullptr, 0,
                                                     WICBitmapPaletteTypeCustom));
    };
    // Not every decoder converts every opaque format to 24 bits; such an image is kept with an opaque alpha.
    if (!alpha && !convert(GUID_WICPixelFormat24bppBGR))
        alpha = true;
    if (alpha && !convert(GUID_WICPixelFormat32bppBGRA))
        return nullptr;
    const Gdiplus::PixelFormat format = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height), format);
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, format, &data) != Gdiplus::Ok)
        return nullptr;
    const UINT stride = static_cast<UINT>(data.Stride);
    const HRESULT copied = converter.Get()->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(data.Scan0));
    bitmap->UnlockBits(&data);
    if (FAILED(copied))
        return nullptr;
    return bitmap;
}
