#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/files/skin_manage.h"
#include "skin/files/skin_paths.h"
#include "skin/files/wic_decode.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlwapi.h>

#include <cstdint>
#include <cwchar>
#include <fstream>
#include <memory>
#include <vector>

TEST(SkinFolders, BothPrograms) {
    EXPECT_EQ(L"C:\\p\\Sk_sv\\", OptimizerSkinFolder(L"C:\\p"));
    EXPECT_EQ(L"C:\\p\\Skin\\Blue\\Movrel\\", UpdaterSkinFolder(L"C:\\p", L"Blue"));
    EXPECT_FALSE(ProgramFolder().empty());
    EXPECT_NE(L'\\', ProgramFolder().back());
}

TEST(SkinImageList, EmptyEntriesKeepTheirNumbers) {
    SkinImageList images;
    ASSERT_EQ(15u, images.Load(TestSkinFolder()));
    EXPECT_EQ(240u, SkinImageWidth(images.Get(1)));
    EXPECT_EQ(nullptr, images.Get(3));   // missing file
    EXPECT_EQ(13u * 6, SkinImageWidth(images.Get(4)));
    EXPECT_EQ(nullptr, images.Get(0));
    EXPECT_EQ(nullptr, images.Get(15));  // no key: the folder itself is not an image
    EXPECT_EQ(nullptr, images.Get(16));
    ASSERT_NE(nullptr, images.Get(13));  // undecodable files still hold their place ...
    EXPECT_EQ(0u, SkinImageWidth(images.Get(13)));  // ... and draw nothing
    EXPECT_EQ(0u, SkinImageWidth(images.Get(14)));
    images.Load(L"Z:\\no\\such\\skin\\");
    EXPECT_EQ(0u, images.Count());
}

TEST(SkinImageList, LoadedImagesLeaveTheirFilesFreeToBeReplaced) {
    // An update installs over the skin of the updater that runs it.
    const std::wstring original =
        TestSkinFolder() + ReadIniText(TestSkinFolder() + L"ImageRes.ini", L"ImageRes", L"ImageID_1");
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring copy = std::wstring(temp) + L"skin_image_in_use.png";
    ASSERT_TRUE(::CopyFileW(original.c_str(), copy.c_str(), FALSE));
    SkinImageList images;
    ASSERT_EQ(1, images.Append(copy));
    EXPECT_TRUE(::CopyFileW(original.c_str(), copy.c_str(), FALSE)) << ::GetLastError();
    EXPECT_TRUE(::DeleteFileW(copy.c_str())) << ::GetLastError();
    EXPECT_EQ(240u, SkinImageWidth(images.Get(1)));
    EXPECT_EQ(nullptr, LoadSkinBitmap(copy));
}

TEST(CSkinManage, StartsTheNamedSkinAndTearsDown) {
    CSkinManage skin;
    const std::wstring root = TestSkinRoot().substr(0, TestSkinRoot().size() - 1);
    skin.Start(root);
    EXPECT_EQ(root + L"\\Skin\\Azure\\Movrel\\", skin.SkinFolder()) << "the name in varnio.ini";
    // Three entries, the second missing: numbers 1 and 3 resolve, 2 and 4 do not.
    ASSERT_EQ(3u, skin.Images().Count());
    EXPECT_NE(nullptr, skin.Images().Get(1));
    EXPECT_EQ(nullptr, skin.Images().Get(2));
    EXPECT_NE(nullptr, skin.Images().Get(3));
    EXPECT_EQ(nullptr, skin.Images().Get(4));
    const FrameSkin& f = skin.Frame();
    EXPECT_EQ(RGB(255, 0, 255), f.maskColor);
    EXPECT_EQ(1, f.imageCloseBut);
    EXPECT_EQ(-30, f.closePoint.x);
    EXPECT_EQ(4, f.closePoint.y);
    EXPECT_EQ(3, f.cutRoundSize.x);
    EXPECT_EQ(25, f.captionTextRect.left);
    EXPECT_EQ(5, f.captionTextRect.top);
    EXPECT_EQ(300, f.captionTextRect.right);
    EXPECT_EQ(20, f.captionTextRect.bottom);
    EXPECT_EQ(RGB(255, 0, 0), f.captionTextColor);
    EXPECT_EQ(0u, f.windowBkColor);
    EXPECT_EQ(6, f.topClipHeightMaximized);

    const auto panels = ReadWindowPanels(skin.SkinFolder() + L"mainform.ini");
    ASSERT_EQ(2u, panels.size());
    EXPECT_EQ(-40, panels[0].iniRect.top);
    EXPECT_EQ(-10, panels[0].iniRect.right);
    EXPECT_EQ(2, panels[0].drawStyle);
    EXPECT_EQ(L"tile.png", panels[0].imageFile);
    EXPECT_EQ(L"", panels[1].imageFile);

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring leftover = std::wstring(temp) + L"varnio.ini";
    { std::ofstream(leftover.c_str()) << "[x]\n"; }
    skin.Teardown();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(leftover.c_str()));
    EXPECT_EQ(0u, skin.Images().Count());
    EXPECT_TRUE(skin.ProgramFolder().empty());
}

TEST(CSkinManage, SkinNameDefaultsToChrome) {
    EXPECT_EQ(L"Chrome", ReadUpdaterSkinName(L"Z:\\no\\such\\folder"));
    CSkinManage skin;
    skin.Start(L"Z:\\no\\such\\folder");  // nothing there: empty table, default frame
    EXPECT_EQ(0u, skin.Images().Count());
    EXPECT_EQ(0, skin.Frame().imageCloseBut);
}

namespace {
// The pixels of `image` as premultiplied 32-bit rows, and its resolution.
struct Pixels {
    std::vector<uint32_t> argb;
    float dpiX = 0, dpiY = 0;
};
Pixels PixelsOf(Gdiplus::Bitmap& image) {
    Pixels pixels;
    const INT width = static_cast<INT>(image.GetWidth()), height = static_cast<INT>(image.GetHeight());
    pixels.argb.resize(static_cast<size_t>(width) * height);
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = pixels.argb.data();
    Gdiplus::Rect all(0, 0, width, height);
    if (image.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                       &data) == Gdiplus::Ok)
        image.UnlockBits(&data);
    pixels.dpiX = image.GetHorizontalResolution();
    pixels.dpiY = image.GetVerticalResolution();
    return pixels;
}
}  // namespace

TEST(SkinImageList, TheQuickDecoderGivesGdiplusOwnPixels) {
    // Loading runs with COM on the window thread and the decode threads alike.
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    const std::wstring folder = TestSkinRoot() + L"decode_kinds\\";
    for (const wchar_t* name : {L"rgba8.png", L"rgba16.png", L"rgb8.png", L"rgb16.png", L"palette.png", L"grey8.png",
                                L"grey16.png", L"grey_alpha.png", L"interlaced.png", L"dpi144.png", L"photo.bmp",
                                L"photo.jpg", L"two_frames.gif"}) {
        SCOPED_TRACE(testing::Message() << std::string(name, name + wcslen(name)));
        const std::wstring path = folder + name;
        IStream* stream = nullptr;
        ASSERT_TRUE(SUCCEEDED(::SHCreateStreamOnFileEx(path.c_str(), STGM_READ, 0, FALSE, nullptr, &stream)));
        // The kinds skins are made of take the quick way; frames, and what the decoder cannot convert
        // (grey, 16-bit colour under Wine), stay with GDI+.
        const std::wstring kind(name);
        if (kind == L"two_frames.gif")
            EXPECT_EQ(nullptr, DecodeWithWic(stream));
        else if (kind.find(L"grey") == std::wstring::npos && kind != L"rgb16.png")
            EXPECT_NE(nullptr, DecodeWithWic(stream));
        stream->Release();
        std::unique_ptr<Gdiplus::Bitmap> loaded = LoadSkinBitmap(path);
        Gdiplus::Bitmap reference(path.c_str());
        ASSERT_TRUE(loaded && loaded->GetLastStatus() == Gdiplus::Ok && reference.GetLastStatus() == Gdiplus::Ok);
        ASSERT_EQ(reference.GetWidth(), loaded->GetWidth());
        ASSERT_EQ(reference.GetHeight(), loaded->GetHeight());
        // The kept copy of GDI+'s own bitmap has the resolution of any bitmap made in memory.
        std::unique_ptr<Gdiplus::Bitmap> held(reference.Clone(0, 0, static_cast<INT>(reference.GetWidth()),
                                                              static_cast<INT>(reference.GetHeight()),
                                                              PixelFormat32bppPARGB));
        ASSERT_TRUE(held);
        Pixels want = PixelsOf(reference);
        want.dpiX = held->GetHorizontalResolution();
        want.dpiY = held->GetVerticalResolution();
        const Pixels got = PixelsOf(*loaded);
        EXPECT_EQ(want.dpiX, got.dpiX);
        EXPECT_EQ(want.dpiY, got.dpiY);
        EXPECT_TRUE(want.argb == got.argb);
    }
    ::CoUninitialize();
}
