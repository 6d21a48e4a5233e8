#include "skin/files/image_list.h"

#include "skin/files/ini_values.h"

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
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        bitmap.reset(new Gdiplus::Bitmap(path.c_str()));
    m_images.push_back(std::move(bitmap));
    return static_cast<int>(m_images.size());
}

void SkinImageList::Clear() { m_images.clear(); }

Gdiplus::Bitmap* SkinImageList::Get(int number) const {
    if (number < 1 || static_cast<size_t>(number) > m_images.size()) return nullptr;
    return m_images[number - 1].get();
}

UINT SkinImageWidth(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetWidth() : 0;
}

UINT SkinImageHeight(Gdiplus::Image* image) {
    return image && image->GetLastStatus() == Gdiplus::Ok ? image->GetHeight() : 0;
}
