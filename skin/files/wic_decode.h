// Decodes an image stream through the Windows Imaging Component straight into a GDI+ bitmap: several
// times quicker than GDI+'s own loading under Wine, which the start-up waits for. The pixels are the
// decoder's 32-bit BGRA (or 24-bit BGR for an opaque image), as GDI+ itself would hold them, at the
// default resolution that kept copies of GDI+'s own bitmaps have too. Needs COM on the calling thread
// and a live GDI+ session.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <memory>

// Null when the stream cannot be decoded this way (no COM, an unknown or broken format): the caller
// then loads it as before.
std::unique_ptr<Gdiplus::Bitmap> DecodeWithWic(IStream* stream);
