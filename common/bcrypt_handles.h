// Owners of the platform cryptography's (CNG, bcrypt.dll) handles, in the style of common/handles.h.
#pragma once
#include "common/handles.h"

#include <bcrypt.h>

namespace handle_traits {
struct BcryptAlgorithm : NullEmpty<BCRYPT_ALG_HANDLE> {
    static void Close(Handle h) { ::BCryptCloseAlgorithmProvider(h, 0); }
};
struct BcryptHash : NullEmpty<BCRYPT_HASH_HANDLE> {
    static void Close(Handle h) { ::BCryptDestroyHash(h); }
};
struct BcryptKey : NullEmpty<BCRYPT_KEY_HANDLE> {
    static void Close(Handle h) { ::BCryptDestroyKey(h); }
};
}  // namespace handle_traits

using AutoBcryptAlgorithm = AutoOwner<handle_traits::BcryptAlgorithm>;
using AutoBcryptHash = AutoOwner<handle_traits::BcryptHash>;
using AutoBcryptKey = AutoOwner<handle_traits::BcryptKey>;

// Opens a provider of `algorithm` (a BCRYPT_*_ALGORITHM name); empty on failure.
inline AutoBcryptAlgorithm OpenBcryptAlgorithm(const wchar_t* algorithm) {
    BCRYPT_ALG_HANDLE raw = nullptr;
    if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&raw, algorithm, nullptr, 0)))
        return AutoBcryptAlgorithm();
    return AutoBcryptAlgorithm(raw);
}
