#include "updater/check/update_signature.h"

#include "common/bcrypt_handles.h"
#include "common/sha256_digest.h"
#include "update_public_key.h"

#include <cstring>

namespace {
// BCRYPT_ECCKEY_BLOB followed by X and Y: the form BCryptImportKeyPair takes a public key in.
struct P256PublicBlob {
    BCRYPT_ECCKEY_BLOB header;
    unsigned char point[kP256PointBytes];
};
}  // namespace

bool VerifyP256Signature(const unsigned char (&point)[kP256PointBytes], const std::string& message,
                         const unsigned char (&signature)[kSignatureBytes]) {
    unsigned char digest[kSha256Bytes];
    CSha256Stream hash;
    if (!hash.Update(message.data(), message.size()) || !hash.FinishBytes(digest))
        return false;
    const AutoBcryptAlgorithm algorithm = OpenBcryptAlgorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    if (!algorithm)
        return false;
    P256PublicBlob blob = {{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, kP256PointBytes / 2}, {}};
    std::memcpy(blob.point, point, kP256PointBytes);
    BCRYPT_KEY_HANDLE raw = nullptr;
    if (!BCRYPT_SUCCESS(::BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &raw,
                                              reinterpret_cast<PUCHAR>(&blob), sizeof(blob), 0)))
        return false;
    const AutoBcryptKey key(raw);
    return BCRYPT_SUCCESS(::BCryptVerifySignature(key.Get(), nullptr, digest, kSha256Bytes,
                                                  const_cast<PUCHAR>(signature), kSignatureBytes, 0));
}

bool VerifyWithUpdateKey(const SignedStatement& statement) {
    return VerifyP256Signature(kUpdatePublicKeyPoint, statement.text, statement.signature);
}
