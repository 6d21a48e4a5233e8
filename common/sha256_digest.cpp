#include "common/sha256_digest.h"

#include <algorithm>
#include <climits>

namespace {
constexpr ULONG kDigestBytes = 32;

std::string HexText(const unsigned char* bytes, size_t length) {
    static const char kHex[] = "0123456789abcdef";
    std::string text(2 * length, '0');
    for (size_t i = 0; i < length; ++i) {
        text[2 * i] = kHex[bytes[i] >> 4];
        text[2 * i + 1] = kHex[bytes[i] & 0xF];
    }
    return text;
}
}  // namespace

CSha256Stream::CSha256Stream() : m_algorithm(OpenBcryptAlgorithm(BCRYPT_SHA256_ALGORITHM)) {
    ULONG objectBytes = 0, got = 0;
    // Vista needs the hash object's memory from the caller; later systems would allocate it themselves.
    if (!m_algorithm || !BCRYPT_SUCCESS(::BCryptGetProperty(m_algorithm.Get(), BCRYPT_OBJECT_LENGTH,
                                                            reinterpret_cast<PUCHAR>(&objectBytes),
                                                            sizeof(objectBytes), &got, 0))) {
        m_failed = true;
        return;
    }
    m_hashObject.resize(objectBytes);
    BCRYPT_HASH_HANDLE raw = nullptr;
    m_failed = !BCRYPT_SUCCESS(
        ::BCryptCreateHash(m_algorithm.Get(), &raw, m_hashObject.data(), objectBytes, nullptr, 0, 0));
    m_hash.Reset(raw);
}

bool CSha256Stream::Update(const void* bytes, size_t length) {
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    while (!m_failed && length > 0) {
        // CNG counts in ULONG: feed a 64-bit length in pieces.
        const ULONG piece = static_cast<ULONG>(std::min<size_t>(length, ULONG_MAX));
        m_failed = !BCRYPT_SUCCESS(::BCryptHashData(m_hash.Get(), const_cast<PUCHAR>(in), piece, 0));
        in += piece;
        length -= piece;
    }
    return !m_failed;
}

bool CSha256Stream::FinishBytes(unsigned char (&digest)[32]) {
    const bool ok = !m_failed && BCRYPT_SUCCESS(::BCryptFinishHash(m_hash.Get(), digest, kDigestBytes, 0));
    m_failed = true;  // spent
    return ok;
}

bool CSha256Stream::Finish(std::string& hexOut) {
    hexOut.clear();
    unsigned char digest[kDigestBytes];
    if (!FinishBytes(digest))
        return false;
    hexOut = HexText(digest, kDigestBytes);
    return true;
}

bool Sha256OfBytes(const void* bytes, size_t length, std::string& hexOut) {
    CSha256Stream stream;
    return stream.Update(bytes, length) && stream.Finish(hexOut);
}
