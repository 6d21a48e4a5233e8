#include "common/sha256_digest.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(Sha256Digest, MatchesFips180Examples) {
    const struct {
        std::string input;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        std::string hex;
        EXPECT_TRUE(Sha256OfBytes(c.input.data(), c.input.size(), hex));
        EXPECT_EQ(c.digest, hex) << c.input.size();
    }
}

TEST(Sha256Digest, StreamInPiecesAgreesWithOneCall) {
    std::string data(100000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 31 + 7);
    CSha256Stream stream;
    for (size_t at = 0; at < data.size(); at += 4093)
        ASSERT_TRUE(stream.Update(data.data() + at, std::min<size_t>(4093, data.size() - at)));
    std::string pieces, whole;
    ASSERT_TRUE(stream.Finish(pieces));
    ASSERT_TRUE(Sha256OfBytes(data.data(), data.size(), whole));
    EXPECT_EQ(whole, pieces);
    EXPECT_FALSE(stream.Finish(pieces)) << "a finished stream is spent";
    EXPECT_EQ("", pieces);
}
