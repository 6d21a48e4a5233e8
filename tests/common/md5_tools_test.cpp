#include "common/md5_tools.h"

#include "tests/common/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>

using md5_space::md5_tools;

TEST(Md5Tools, MatchesRfc1321TestSuite) {
    const struct {
        const char* input;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.digest, md5_tools::digest(std::string(c.input))) << c.input;
}

TEST(Md5Tools, PaddingBoundariesAgreeWithPiecewiseUpdates) {
    // 55, 56 and 64 bytes straddle the padding rule; feeding the same bytes in odd pieces must agree.
    for (size_t size : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
        std::string data(size, '\0');
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 31 + 7);
        md5_tools pieces;
        for (size_t at = 0; at < size; at += 13) pieces.update(data.data() + at, std::min<size_t>(13, size - at));
        EXPECT_EQ(md5_tools::digest(data), pieces.final()) << size;
    }
}

TEST(Md5Tools, WritesLowerCaseHexWithLeadingZeros) {
    // md5("jk8ssl") = 0000...: leading zero bytes must keep both digits.
    EXPECT_EQ("0000000018e6137ac2caab16074784a6", md5_tools::digest(std::string("jk8ssl")));
    const std::string text = md5_tools::digest(std::string("The quick brown fox jumps over the lazy dog"));
    EXPECT_EQ("9e107d9d372bb6826bd81d3542a419d6", text);
    EXPECT_EQ(std::string::npos, text.find_first_not_of("0123456789abcdef"));
}

TEST(Md5Tools, FileVariantsAgreeWithBytes) {
    TempFolder folder;
    for (size_t size : {0u, 1u, 1023u, 1024u, 1025u, 300000u}) {
        std::string data(size, '\0');
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131) >> 3);
        const std::wstring path = folder.Write(L"f" + std::to_wstring(size) + L".bin", data);
        EXPECT_EQ(md5_tools::digest(data), md5_tools::digest_file(path)) << size;
        FILE* open = _wfopen(path.c_str(), L"rb");
        ASSERT_NE(nullptr, open);
        EXPECT_EQ(md5_tools::digest(data), md5_tools::digest_file(open)) << size;
        EXPECT_EQ(EOF, std::fgetc(open)) << "read to the end and left open";
        std::fclose(open);
    }
}

TEST(Md5Tools, EmptyFileHasADigestAndMissingFileHasNone) {
    TempFolder folder;
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", md5_tools::digest_file(folder.Write(L"empty.bin", "")));
    EXPECT_EQ("", md5_tools::digest_file(folder.Path(L"missing.bin")));
}
