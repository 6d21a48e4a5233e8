// The Wine prefix that scripts/wine-env.sh prepares, as the window tests rely on it.
#include <gtest/gtest.h>

#include <windows.h>

#include <gdiplus.h>

namespace {

// The skins name 宋体; a prefix without its replacement makes GDI+ fall back to a wider face, and text
// then runs past the room the skins give it.
TEST(WinePrefix, TheSkinsChineseFaceIsAvailableToGdiPlus) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, nullptr));
    {
        Gdiplus::FontFamily family(L"\u5b8b\u4f53");
        EXPECT_TRUE(family.IsAvailable());
        EXPECT_EQ(Gdiplus::Ok, family.GetLastStatus());
    }
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace
