#include "skin/files/image_list.h"

#include <objidl.h>

#include "common/handles.h"
#include "skin/files/ini_values.h"

namespace {

// A decoded bitmap keeps its decoder, the file's bytes and a second full copy of the pixels for as long
// as it lives, and one whose alpha is not premultiplied is converted again on every draw. So the bitmap
// kept is a copy made once: premultiplied when the image has alpha (or a palette that may), in the
// file's own format otherwise. A bitmap in an error state, or one that cannot be copied, is kept as is.
std::unique_ptr<Gdiplus::Bitmap> HeldCopy(std::unique_ptr<Gdiplus::Bitmap> decoded) {
    if (decoded->GetLastStatus() != Gdiplus::Ok)
        return decoded;
    const Gdiplus::PixelFormat format = decoded->GetPixelFormat();
    const bool premultiply = Gdiplus::IsAlphaPixelFormat(format) || Gdiplus::IsIndexedPixelFormat(format);
    std::unique_ptr<Gdiplus::Bitmap> copy(decoded->Clone(0, 0, static_cast<INT>(decoded->GetWidth()),
                                                         static_cast<INT>(decoded->GetHeight()),
                                                         premultiply ? PixelFormat32bppPARGB : format));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok)
        return decoded;
    return copy;
}

}  // namespace

size_t SkinImageList::Load(const std::wstring& skinFolder) {
    Clear();
    const std::wstring ini = skinFolder + L"ImageRes.ini";
    const int count = ReadIniInt(ini, L"ImageRes", L"ImageNumber", 0);
    for (int i = 1; i <= count; ++i) {
        const std::wstring key = L"ImageID_" + std::to_wstring(i);
        Append(skinFolder + ReadIniText(ini, L"ImageRes", key.c_str()));
    }
    return m_images.size();
}

int SkinImageList::Append(const std::wstring& path) {
    // A missing file keeps its slot empty so that later numbers keep their meaning. A folder is not
    // an image either. A file that fails to decode gives a bitmap in an error state, which draws nothing.
    m_images.push_back(LoadSkinBitmap(path));
    return static_cast<int>(m_images.size());
}

void SkinImageList::Clear() {
    m_images.clear();
}

Gdiplus::Bitmap* SkinImageList::Get(int number) const {
    if (number < 1 || static_cast<size_t>(number) > m_images.size())
        return nullptr;
    return m_images[number - 1].get();
}

UINT SkinImageWidth(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetWidth() : 0;
}

UINT SkinImageHeight(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetHeight() : 0;
}

std::unique_ptr<Gdiplus::Bitmap> LoadSkinBitmap(const std::wstring& path) {
    AutoHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return nullptr;  // a folder cannot be opened this way either
    const DWORD bytes = static_cast<DWORD>(size.QuadPart);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes ? bytes : 1);
    if (!block)
        return nullptr;
    DWORD read = 0;
    void* data = ::GlobalLock(block);
    const bool complete = data && ::ReadFile(file.Get(), data, bytes, &read, nullptr) && read == bytes;
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (!complete || FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return nullptr;
    }
    // GDI+ keeps its own reference to the stream, which frees the block when the decoded bitmap goes.
    std::unique_ptr<Gdiplus::Bitmap> decoded(new Gdiplus::Bitmap(stream));
    stream->Release();
    return HeldCopy(std::move(decoded));
}

std::unique_ptr<Gdiplus::Bitmap> LoadDrawableSkinBitmap(const std::wstring& path) {
    std::unique_ptr<Gdiplus::Bitmap> image = LoadSkinBitmap(path);
    if (image && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}
