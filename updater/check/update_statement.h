// The publisher's signed statement in a manifest's "current" element. "sha256" is the installer's
// SHA-256 (64 lower-case hexadecimal characters) and "signature" an ECDSA P-256 signature (128 lower-case
// hexadecimal characters, r then s, big-endian) over SHA-256 of the bytes
// "VarnioUpdate\n" + version + "\n" + sha256 + "\n", so the offered version and the package bytes cannot
// be changed apart from each other. Pure; any thread.
#pragma once
#include "updater/check/manifest.h"

#include <string>

constexpr size_t kSha256Bytes = 32;
constexpr size_t kSignatureBytes = 64;

// The bytes that are signed.
std::string UpdateStatementText(const std::string& version, const std::string& sha256);

struct SignedStatement {
    std::string text;                               // UpdateStatementText of the record
    unsigned char signature[kSignatureBytes] = {};  // r then s
};

// The record's statement; false when "sha256" or "signature" is missing or not of its form, so there
// is nothing to verify.
bool SignedStatementOf(const ManifestRecord& record, SignedStatement* statement);
