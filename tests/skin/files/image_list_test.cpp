#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/files/skin_manage.h"
#include "skin/files/skin_paths.h"
#include "tests/skin/controls/skin_test_support.h"

#include <gtest/gtest.h>

#include <fstream>

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
