// SkinImageList: the numbered skin bitmaps of "ImageRes.ini". Owns its GDI+ bitmaps; entries are
// handed out as borrowed pointers that die with Clear/Load/destruction. Window thread only; needs a
// live GDI+ session (ScopedGdiplus). A missing file leaves an empty (null) entry in its place.
// BeginLoad decodes in the background instead; an entry not yet placed is never handed out: reading
// it completes the whole table first, so every read sees what Load would have given.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>
#include <string>
#include <vector>

#include "skin/files/image_decode.h"
#include "skin/files/wic_decode.h"

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

    // Clears, reads the ini like Load and starts decoding the images numbered in `first` on worker
    // threads; the others wait for Complete (or a read of one of them). Count() is final at once.
    void BeginLoad(const std::wstring& skinFolder, const std::vector<int>& first);
    // Waits for the first images and places them.
    void PlaceFirst();
    // Waits for everything begun, decodes what was not, and places it all.
    void Complete() const;

    // Frees one entry's bitmap (a caller that keeps what it drew from it); Get gives null until Restore
    // decodes the file again. Controls holding the entry must be loaded again after either.
    void Drop(int number);
    void Restore(int number);

private:
    struct Batch {
        std::vector<size_t> slots;  // 0-based entries, in the order of the run's paths
        std::unique_ptr<CImageDecodeRun> run;
    };
    void Begin(std::vector<size_t> slots) const;
    void Place(Batch& batch) const;

    // Mutable: placing background results is no visible change, Get only ever shows the final table.
    mutable std::vector<std::unique_ptr<Gdiplus::Bitmap>> m_images;
    mutable std::vector<bool> m_placed;
    mutable std::vector<std::wstring> m_paths;  // the file of each entry
    std::vector<bool> m_dropped;
    mutable std::vector<size_t> m_unbegun;      // entries no run decodes yet
    mutable std::vector<Batch> m_batches;       // runs begun and not placed, oldest first
};

// Reads an image file into memory and decodes it from there, so the file is not held open while the
// bitmap lives (an update replaces the skin of the updater that runs it). Null when the file is missing,
// a folder or unreadable; a file that fails to decode gives a bitmap in an error state. Needs GDI+.
// A thread that loads many passes its own session; without one a session is made for the one image.
std::unique_ptr<Gdiplus::Bitmap> LoadSkinBitmap(const std::wstring& path, CWicSession* session = nullptr);
// The same, but null also when the file does not decode: for callers that draw something else instead.
std::unique_ptr<Gdiplus::Bitmap> LoadDrawableSkinBitmap(const std::wstring& path);

// Width and height of a drawable image; 0 for null or a bitmap that failed to decode.
UINT SkinImageWidth(Gdiplus::Image* image);
UINT SkinImageHeight(Gdiplus::Image* image);
