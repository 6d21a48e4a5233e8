// SHA-256 through the platform's cryptography (CNG, bcrypt.dll), as 64 lower-case hexadecimal
// characters. One stream per digest, used on one thread; a provider failure is a false result.
#pragma once
#include "common/bcrypt_handles.h"

#include <cstddef>
#include <string>
#include <vector>

class CSha256Stream {
public:
    CSha256Stream();
    CSha256Stream(const CSha256Stream&) = delete;
    CSha256Stream& operator=(const CSha256Stream&) = delete;

    bool Update(const void* bytes, size_t length);
    // Writes the digest; the stream is spent afterwards. False (and "" written) after any failure.
    bool Finish(std::string& hexOut);
    // The same as the 32 raw bytes, for callers that sign or verify the digest.
    bool FinishBytes(unsigned char (&digest)[32]);

private:
    AutoBcryptAlgorithm m_algorithm;
    std::vector<unsigned char> m_hashObject;  // CNG's working memory; outlives m_hash (declared before it)
    AutoBcryptHash m_hash;
    bool m_failed = false;
};

// The digest of `length` bytes at `bytes`; false (and "" written) when CNG fails.
bool Sha256OfBytes(const void* bytes, size_t length, std::string& hexOut);
