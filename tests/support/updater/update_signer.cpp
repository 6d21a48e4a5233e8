#include "tests/support/updater/update_signer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/sha256_digest.h"
#include "update_public_key.h"
#include "update_signing_key.h"
#include "updater/check/update_statement.h"

namespace {
// BCRYPT_ECCKEY_BLOB, X, Y and the private scalar d: the form CNG imports a P-256 private key in.
struct P256PrivateBlob {
    BCRYPT_ECCKEY_BLOB header;
    unsigned char point[64];
    unsigned char scalar[32];
};

std::string LowerHex(const unsigned char* bytes, size_t count) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += {kHex[bytes[i] >> 4], kHex[bytes[i] & 0xF]};
    return text;
}
}  // namespace

CTestUpdateSigner::CTestUpdateSigner(AutoBcryptAlgorithm algorithm) : m_algorithm(std::move(algorithm)) {}

CTestUpdateSigner::CTestUpdateSigner() : m_algorithm(OpenBcryptAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM)) {
    EXPECT_TRUE(kUpdateSigningKeyKnown) << "this build tree trusts a key it cannot sign with";
    P256PrivateBlob blob = {{BCRYPT_ECDSA_PRIVATE_P256_MAGIC, 32}, {}, {}};
    std::memcpy(blob.point, kUpdatePublicKeyPoint, sizeof(blob.point));
    std::memcpy(blob.scalar, kUpdateSigningScalar, sizeof(blob.scalar));
    BCRYPT_KEY_HANDLE raw = nullptr;
    EXPECT_TRUE(BCRYPT_SUCCESS(::BCryptImportKeyPair(m_algorithm.Get(), nullptr, BCRYPT_ECCPRIVATE_BLOB, &raw,
                                                     reinterpret_cast<PUCHAR>(&blob), sizeof(blob), 0)));
    m_key.Reset(raw);
}

CTestUpdateSigner CTestUpdateSigner::Fresh() {
    CTestUpdateSigner signer(OpenBcryptAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM));
    BCRYPT_KEY_HANDLE raw = nullptr;
    EXPECT_TRUE(BCRYPT_SUCCESS(::BCryptGenerateKeyPair(signer.m_algorithm.Get(), &raw, 256, 0)));
    signer.m_key.Reset(raw);
    EXPECT_TRUE(BCRYPT_SUCCESS(::BCryptFinalizeKeyPair(signer.m_key.Get(), 0)));
    return signer;
}

std::string CTestUpdateSigner::Sign(const std::string& message) const {
    unsigned char digest[kSha256Bytes], signature[kSignatureBytes];
    CSha256Stream hash;
    ULONG written = 0;
    if (!hash.Update(message.data(), message.size()) || !hash.FinishBytes(digest) ||
        !BCRYPT_SUCCESS(::BCryptSignHash(m_key.Get(), nullptr, digest, sizeof(digest), signature, sizeof(signature),
                                         &written, 0)) ||
        written != sizeof(signature)) {
        ADD_FAILURE() << "signing failed";
        return {};
    }
    return LowerHex(signature, sizeof(signature));
}

std::string CTestUpdateSigner::CurrentAttributes(const std::string& version, const std::string& package) const {
    const std::string sha256 = PackageSha256(package);
    return " sha256=\"" + sha256 + "\" signature=\"" + Sign(UpdateStatementText(version, sha256)) + "\"";
}

std::string PackageSha256(const std::string& package) {
    std::string hex;
    EXPECT_TRUE(Sha256OfBytes(package.data(), package.size(), hex));
    return hex;
}
