// Signs update statements the way the publisher does, through the platform's cryptography, for tests
// that serve manifests: with the build tree's development key (build/<arch>/signing/update_key.pem,
// the one Tavisk of this tree trusts) or with a fresh key nobody trusts.
#pragma once
#include <string>

#include "common/bcrypt_handles.h"

class CTestUpdateSigner {
public:
    CTestUpdateSigner();  // the development key; fails every test that signs when the tree has none
    static CTestUpdateSigner Fresh();

    // The "signature" attribute's text for `message`: r then s in lower-case hexadecimal.
    std::string Sign(const std::string& message) const;
    // ' sha256="…" signature="…"': the attributes that make a "current" element offering `version` with
    // the installer `package` trusted.
    std::string CurrentAttributes(const std::string& version, const std::string& package) const;

private:
    explicit CTestUpdateSigner(AutoBcryptAlgorithm algorithm);

    AutoBcryptAlgorithm m_algorithm;
    AutoBcryptKey m_key;  // released before the provider
};

// The installer's "sha256" text.
std::string PackageSha256(const std::string& package);
