#include "skin/files/wic_decode.h"

#include <cstring>

#include "skin/files/dib_bitmap.h"

namespace {

// Whether the decoded format carries alpha, or a palette that may: those are kept with their alpha.
bool MayHaveAlpha(IWICImagingFactory* factory, const WICPixelFormatGUID& format) {
    // A PNG's usual two, known without asking the component registry.
    if (format == GUID_WICPixelFormat32bppBGRA)
        return true;
    if (format == GUID_WICPixelFormat24bppBGR)
        return false;
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

bool Rewind(IStream* stream) {
    const LARGE_INTEGER start = {};
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

bool StartsAsPng(IStream* stream) {
    static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    BYTE head[sizeof(kSignature)] = {};
    ULONG read = 0;
    const bool png = SUCCEEDED(stream->Read(head, sizeof(head), &read)) && read == sizeof(head) &&
                     std::memcmp(head, kSignature, sizeof(head)) == 0;
    return Rewind(stream) && png;
}

}  // namespace

CWicSession::CWicSession() {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return;
    m_factory.Reset(factory);
    IClassFactory* pngDecoders = nullptr;
    if (SUCCEEDED(::CoGetClassObject(CLSID_WICPngDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&pngDecoders))))
        m_pngDecoders.Reset(pngDecoders);
}

std::unique_ptr<Gdiplus::Bitmap> CWicSession::Decode(IStream* stream) {
    IWICImagingFactory* factory = m_factory.Get();
    if (!factory)
        return nullptr;
    IWICBitmapDecoder* rawDecoder = nullptr;
    if (m_pngDecoders && StartsAsPng(stream) &&
        SUCCEEDED(m_pngDecoders.Get()->CreateInstance(nullptr, IID_PPV_ARGS(&rawDecoder))) &&
        FAILED(rawDecoder->Initialize(stream, WICDecodeMetadataCacheOnDemand))) {
        rawDecoder->Release();  // what the factory finds for it says the same, or decodes it after all
        rawDecoder = nullptr;
    }
    if (!rawDecoder && (!Rewind(stream) || FAILED(factory->CreateDecoderFromStream(
                                                stream, nullptr, WICDecodeMetadataCacheOnDemand, &rawDecoder))))
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
    bool alpha = MayHaveAlpha(factory, source);
    IWICFormatConverter* rawConverter = nullptr;
    if (FAILED(factory->CreateFormatConverter(&rawConverter)))
        return nullptr;
    AutoCom<IWICFormatConverter> converter(rawConverter);
    const auto convert = [&](const WICPixelFormatGUID& to) {
        return SUCCEEDED(converter.Get()->Initialize(frame.Get(), to, WICBitmapDitherTypeNone, nullptr, 0,
                                                     WICBitmapPaletteTypeCustom));
    };
    // Not every decoder converts every opaque format to 24 bits; such an image is kept with an opaque alpha.
    if (!alpha && !convert(GUID_WICPixelFormat24bppBGR))
        alpha = true;
    if (alpha) {
        // Premultiplied by the decoder straight into the section it is held in.
        std::unique_ptr<CDibBitmap> held = CDibBitmap::Make(static_cast<int>(width), static_cast<int>(height));
        const UINT stride = width * 4;
        if (held && convert(GUID_WICPixelFormat32bppPBGRA) &&
            SUCCEEDED(converter.Get()->CopyPixels(nullptr, stride, stride * height, held->Bits())))
            return held;
        if (!convert(GUID_WICPixelFormat32bppBGRA))
            return nullptr;
    }
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

std::unique_ptr<Gdiplus::Bitmap> DecodeWithWic(IStream* stream) {
    return CWicSession().Decode(stream);
}
