// Verifying the publisher's signature with the platform's cryptography (CNG, bcrypt.dll): ECDSA P-256
// over SHA-256. The key Tavisk trusts is compiled in (update_public_key.h, made by the build from
// SORVIK_UPDATE_PUBLIC_KEY or the build tree's development key). Any thread; a provider failure
// counts as a signature that does not verify.
#pragma once
#include "updater/check/update_statement.h"

constexpr size_t kP256PointBytes = 64;  // X then Y, big-endian

// True when `signature` (r then s) signs SHA-256 of `message` for the public key `point`.
bool VerifyP256Signature(const unsigned char (&point)[kP256PointBytes], const std::string& message,
                         const unsigned char (&signature)[kSignatureBytes]);

// The same with the built-in update key.
bool VerifyWithUpdateKey(const SignedStatement& statement);
