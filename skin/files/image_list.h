// SkinImageList: the numbered skin bitmaps of "ImageRes.ini". Owns its GDI+ bitmaps; entries are
// handed out as borrowed pointers that die with Clear/Load/destruction. Window thread only; needs a
// live GDI+ session (ScopedGdiplus). A missing file leaves an empty (null) entry in its place.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <string>
#include <vector>

class SkinImageList {
public:
    SkinImageList() = default;
    SkinImageList(const SkinImageList&) = delete;
    SkinImageList& operator=(const SkinImageList&) = delete;

    // Clears, then reads skinFolder + "ImageRes.ini" ([ImageRes] ImageNumber, ImageID_1..N).
    // skinFolder ends in a backslash. Returns the number of entries (empty ones included).
    size_t Load(const std::wstring& skinFolder);
    // Appends one image loaded from `path` (empty entry when the file does not exist); returns its number.
    int Append(const std::wstring& path);
    void Clear();
    size_t Count() const { return m_images.size(); }
    // 1-based image number; 0, out of range or an empty entry give null.
    Gdiplus::Bitmap* Get(int number) const;

private:
    std::vector<std::unique_ptr<Gdiplus::Bitmap>> m_images;
};

// Reads an image file into memory and decodes it from there, so the file is not held open while the
// bitmap lives (an update replaces the skin of the updater that runs it). Null when the file is missing,
// a folder or unreadable; a file that fails to decode gives a bitmap in an error state. Needs GDI+.
std::unique_ptr<Gdiplus::Bitmap> LoadSkinBitmap(const std::wstring& path);
// The same, but null also when the file does not decode: for callers that draw something else instead.
std::unique_ptr<Gdiplus::Bitmap> LoadDrawableSkinBitmap(const std::wstring& path);

// Width and height of a drawable image; 0 for null or a bitmap that failed to decode.
UINT SkinImageWidth(Gdiplus::Image* image);
UINT SkinImageHeight(Gdiplus::Image* image);
