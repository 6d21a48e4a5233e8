// Decodes an image stream through the Windows Imaging Component straight into a GDI+ bitmap: several
// times quicker than GDI+'s own loading under Wine, which the start-up waits for. An image with alpha is
// premultiplied by the decoder into the DIB section it is held in (CDibBitmap); an opaque one is the
// decoder's 24-bit BGR, as GDI+ itself would hold it; both at the default resolution that kept copies of
// GDI+'s own bitmaps have too.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <wincodec.h>

#include <memory>

#include "common/handles.h"

// What one thread decodes with: the imaging factory and the PNG decoder's class object, made once. Under
// Wine making the factory, or finding the decoder for a stream, costs more than decoding a small PNG.
// Needs COM on the thread that makes and uses it, and a live GDI+ session.
class CWicSession {
public:
    CWicSession();
    // Null when the stream cannot be decoded this way (no COM, an unknown or broken format): the caller
    // then loads it as before. A PNG stream goes straight to the PNG decoder, any other to the one the
    // factory finds for it.
    std::unique_ptr<Gdiplus::Bitmap> Decode(IStream* stream);

private:
    AutoCom<IWICImagingFactory> m_factory;
    AutoCom<IClassFactory> m_pngDecoders;  // null: PNGs are found by the factory too
};

// One image in a session of its own.
std::unique_ptr<Gdiplus::Bitmap> DecodeWithWic(IStream* stream);
