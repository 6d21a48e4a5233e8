// The signed update statement against the platform's own ECDSA verification, with the key this build
// tree compiled into the updater.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/updater/update_signer.h"
#include "updater/check/update_check.h"
#include "updater/check/update_signature.h"

namespace {
// `hex` with bit `bit` of the bytes it spells flipped, still lower-case hexadecimal.
std::string FlipBit(std::string hex, size_t bit) {
    const size_t digit = 2 * (bit / 8) + ((bit % 8) < 4 ? 1 : 0);
    const int value = std::stoi(hex.substr(digit, 1), nullptr, 16) ^ (1 << (bit % 4));
    hex[digit] = "0123456789abcdef"[value];
    return hex;
}
}  // namespace

TEST(UpdateSignature, OnlyAStatementSignedWithTheBuiltInKeyIsTrusted) {
    const std::string package = "MZ the installer's bytes";
    const CTestUpdateSigner publisher, stranger = CTestUpdateSigner::Fresh();
    const std::string sha256 = PackageSha256(package);
    const std::string valid = publisher.Sign(UpdateStatementText("1.1.06.06", sha256));
    const std::string older = publisher.Sign(UpdateStatementText("1.1.06.04", sha256));
    std::string upper = valid;
    for (char& ch : upper)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    struct Case {
        const char* name;
        std::string version, sha256, signature;
        bool trusted, offered;
    } cases[] = {
        {"valid", "1.1.06.06", sha256, valid, true, true},
        {"one bit of the version flipped", "1.1.06.07", sha256, valid, false, false},
        {"one bit of sha256 flipped", "1.1.06.06", FlipBit(sha256, 77), valid, false, false},
        {"one bit of r flipped", "1.1.06.06", sha256, FlipBit(valid, 3), false, false},
        {"one bit of s flipped", "1.1.06.06", sha256, FlipBit(valid, 500), false, false},
        {"no sha256", "1.1.06.06", "", valid, false, false},
        {"no signature", "1.1.06.06", sha256, "", false, false},
        {"signature in upper case", "1.1.06.06", sha256, upper, false, false},
        {"signature one byte short", "1.1.06.06", sha256, valid.substr(2), false, false},
        {"another key", "1.1.06.06", sha256, stranger.Sign(UpdateStatementText("1.1.06.06", sha256)), false, false},
        {"an older release's signature served as newer", "1.1.06.07", sha256, older, false, false},
        {"an older release served as it is", "1.1.06.04", sha256, older, true, false},
    };
    for (const Case& c : cases) {
        ManifestRecord record;
        record.version = c.version;
        record.sha256 = c.sha256;
        record.signature = c.signature;
        SignedStatement statement;
        const bool trusted = SignedStatementOf(record, &statement) && VerifyWithUpdateKey(statement);
        EXPECT_EQ(c.trusted, trusted) << c.name;
        EXPECT_EQ(c.offered, trusted && DecideOffer("1.1.06.05", record).offered) << c.name;
    }
}
