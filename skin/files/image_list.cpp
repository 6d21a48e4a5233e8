#include "skin/files/image_list.h"

#include <objidl.h>

#include "common/handles.h"
#include "skin/files/dib_bitmap.h"
#include "skin/files/ini_values.h"

namespace {

// A decoded bitmap keeps its decoder, the file's bytes and a second full copy of the pixels for as long
// as it lives, and one whose alpha is not premultiplied is converted again on every draw. So the bitmap
// kept is a copy made once: premultiplied when the image has alpha (or a palette that may), and then held
// in a DIB section that GDI blends quickly; in the file's own format otherwise. A bitmap in an error
// state, or one that cannot be copied, is kept as is.
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
    if (premultiply) {
        if (std::unique_ptr<CDibBitmap> held = CDibBitmap::CopyOf(*copy))
            return held;
    }
    return copy;
}

// The file of each entry of `skinFolder`'s "ImageRes.ini", in number order.
std::vector<std::wstring> ImageFiles(const std::wstring& skinFolder) {
    const std::wstring ini = skinFolder + L"ImageRes.ini";
    const int count = ReadIniInt(ini, L"ImageRes", L"ImageNumber", 0);
    std::vector<std::wstring> files;
    for (int i = 1; i <= count; ++i) {
        const std::wstring key = L"ImageID_" + std::to_wstring(i);
        files.push_back(skinFolder + ReadIniText(ini, L"ImageRes", key.c_str()));
    }
    return files;
}

unsigned Processors() {
    SYSTEM_INFO info = {};
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}

}  // namespace

size_t SkinImageList::Load(const std::wstring& skinFolder) {
    Clear();
    const std::vector<std::wstring> files = ImageFiles(skinFolder);
    for (const std::wstring& file : files)
        Append(file);
    m_paths = files;
    return m_images.size();
}

void SkinImageList::BeginLoad(const std::wstring& skinFolder, const std::vector<int>& first) {
    Clear();
    m_paths = ImageFiles(skinFolder);
    m_images.resize(m_paths.size());
    m_placed.assign(m_paths.size(), false);
    std::vector<bool> isFirst(m_paths.size(), false);
    std::vector<size_t> firstSlots;
    for (int number : first) {
        if (number < 1 || static_cast<size_t>(number) > m_paths.size() || isFirst[number - 1])
            continue;
        isFirst[number - 1] = true;
        firstSlots.push_back(static_cast<size_t>(number - 1));
    }
    for (size_t slot = 0; slot < m_paths.size(); ++slot) {
        if (!isFirst[slot])
            m_unbegun.push_back(slot);
    }
    Begin(std::move(firstSlots));
}

void SkinImageList::PlaceFirst() {
    if (!m_batches.empty()) {
        Place(m_batches.front());
        m_batches.erase(m_batches.begin());
    }
}

void SkinImageList::Complete() const {
    Begin(std::move(m_unbegun));
    m_unbegun.clear();
    for (Batch& batch : m_batches)
        Place(batch);
    m_batches.clear();
}

void SkinImageList::Drop(int number) {
    if (number < 1 || static_cast<size_t>(number) > m_images.size() || m_paths.size() != m_images.size() ||
        !m_placed[number - 1])
        return;  // only placed entries whose file is known can come back
    m_dropped.resize(m_images.size(), false);
    m_images[number - 1].reset();
    m_dropped[number - 1] = true;
}

void SkinImageList::Restore(int number) {
    if (number < 1 || static_cast<size_t>(number) > m_dropped.size() || !m_dropped[number - 1])
        return;
    m_images[number - 1] = LoadSkinBitmap(m_paths[number - 1]);
    m_dropped[number - 1] = false;
}

void SkinImageList::Begin(std::vector<size_t> slots) const {
    if (slots.empty())
        return;
    std::vector<std::wstring> paths;
    for (size_t slot : slots)
        paths.push_back(m_paths[slot]);
    const int threads = DecodeThreadCount(paths.size(), Processors());
    Batch batch{std::move(slots), nullptr};
    batch.run = std::make_unique<CImageDecodeRun>(std::move(paths), threads);
    m_batches.push_back(std::move(batch));
}

void SkinImageList::Place(Batch& batch) const {
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> images = batch.run->Join();
    for (size_t i = 0; i < batch.slots.size() && i < images.size(); ++i) {
        m_images[batch.slots[i]] = std::move(images[i]);
        m_placed[batch.slots[i]] = true;
    }
}

int SkinImageList::Append(const std::wstring& path) {
    // A missing file keeps its slot empty so that later numbers keep their meaning. A folder is not
    // an image either. A file that fails to decode gives a bitmap in an error state, which draws nothing.
    Complete();
    m_images.push_back(LoadSkinBitmap(path));
    m_placed.push_back(true);
    return static_cast<int>(m_images.size());
}

void SkinImageList::Clear() {
    m_batches.clear();  // each run joins its threads first
    m_unbegun.clear();
    m_paths.clear();
    m_dropped.clear();
    m_images.clear();
    m_placed.clear();
}

Gdiplus::Bitmap* SkinImageList::Get(int number) const {
    if (number < 1 || static_cast<size_t>(number) > m_images.size())
        return nullptr;
    if (!m_placed[number - 1])
        Complete();
    return m_images[number - 1].get();
}

UINT SkinImageWidth(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetWidth() : 0;
}

UINT SkinImageHeight(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetHeight() : 0;
}

std::unique_ptr<Gdiplus::Bitmap> LoadSkinBitmap(const std::wstring& path, CWicSession* session) {
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
    std::unique_ptr<Gdiplus::Bitmap> decoded = session ? session->Decode(stream) : DecodeWithWic(stream);
    if (decoded) {
        stream->Release();
        // Its own pixels already; only alpha not yet premultiplied still wants it.
        if (decoded->GetPixelFormat() == PixelFormat32bppARGB)
            return HeldCopy(std::move(decoded));
        return decoded;
    }
    const LARGE_INTEGER start = {};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    // GDI+ keeps its own reference to the stream, which frees the block when the decoded bitmap goes.
    decoded.reset(new Gdiplus::Bitmap(stream));
    stream->Release();
    return HeldCopy(std::move(decoded));
}

std::unique_ptr<Gdiplus::Bitmap> LoadDrawableSkinBitmap(const std::wstring& path) {
    std::unique_ptr<Gdiplus::Bitmap> image = LoadSkinBitmap(path);
    if (image && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}
