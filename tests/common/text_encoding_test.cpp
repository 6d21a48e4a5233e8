#include "common/text_encoding.h"

#include <gtest/gtest.h>
#include <windows.h>

// The target is a Chinese Windows: narrow texts must come out as GBK.
TEST(TextEncoding, AnsiCodePageIsGbk) { EXPECT_EQ(936u, ::GetACP()); }

TEST(TextEncoding, RoundTripsChineseThroughGbkAndUtf8) {
    const std::wstring text = L"绿色版";
    EXPECT_EQ(std::string("\xC2\xCC\xC9\xAB\xB0\xE6"), WideToAnsi(text));
    EXPECT_EQ(std::string("\xE7\xBB\xBF\xE8\x89\xB2\xE7\x89\x88"), WideToUtf8(text));
    EXPECT_EQ(text, AnsiToWide(WideToAnsi(text)));
    EXPECT_EQ(text, Utf8ToWide(WideToUtf8(text)));
    EXPECT_EQ("", WideToAnsi(L""));
}
