#include "common/client_identity.h"

#include "common/md5_tools.h"
#include "common/registry_text.h"
#include "tests/common/registry_sandbox.h"

#include <gtest/gtest.h>

using md5_space::md5_tools;

TEST(ClientIdentity, ProcessorTextIsFlagsThenVendorCutAtTheFirstZero) {
    // "GenuineIntel" arrives as EBX "Genu", EDX "ineI", ECX "ntel".
    const uint32_t ebx = 0x756e6547, edx = 0x49656e69, ecx = 0x6c65746e;
    EXPECT_EQ(std::string("\x01\x02\x03\x04GenuineIntel"), ProcessorText(0x04030201, ebx, edx, ecx));
    EXPECT_EQ("", ProcessorText(0x04030200, ebx, edx, ecx));        // lowest flags byte zero
    EXPECT_EQ("\x11\x22", ProcessorText(0x00002211, ebx, edx, ecx));  // a zero byte inside the flags
    EXPECT_EQ(std::string("\xff\xff\xff\xff") + "Genu", ProcessorText(0xffffffff, ebx, 0, ecx));
}

TEST(ClientIdentity, DigestOfProcessorAndAdapterTexts) {
    EXPECT_EQ(md5_tools::digest(std::string("abc{ADAPTER}")), IdentityDigest("abc", "{ADAPTER}"));
    // No adapter: the digest of the processor text alone.
    EXPECT_EQ(md5_tools::digest(std::string("abc")), IdentityDigest("abc", ""));
}

TEST(ClientIdentity, GeneratedFromThisMachineAndStable) {
    const std::string processor = ReadProcessorText();
    EXPECT_LE(processor.size(), 16u);
    const std::string identity = GenerateIdentity();
    EXPECT_EQ(IdentityDigest(processor, FirstAdapterName()), identity);
    EXPECT_EQ(32u, identity.size());
    EXPECT_EQ(identity, GenerateIdentity());
}

TEST(ClientIdentity, StoredOnceAndReused) {
    RegistrySandbox key;
    const std::string first = GetOrCreateIdentity(HKEY_CURRENT_USER, key.SubKey());
    EXPECT_EQ(GenerateIdentity(), first);
    EXPECT_EQ(first, ReadRegistryText(HKEY_CURRENT_USER, key.SubKey(), "uuid"));

    // Whatever is stored wins over what this machine would generate.
    key.Set("uuid", "ffffffffffffffffffffffffffffffff");
    EXPECT_EQ("ffffffffffffffffffffffffffffffff", GetOrCreateIdentity(HKEY_CURRENT_USER, key.SubKey()));
}

TEST(ClientIdentity, EmptyStoredValueIsReplaced) {
    RegistrySandbox key;
    key.Set("uuid", "");
    EXPECT_EQ(GenerateIdentity(), GetOrCreateIdentity(HKEY_CURRENT_USER, key.SubKey()));
    EXPECT_EQ(GenerateIdentity(), ReadRegistryText(HKEY_CURRENT_USER, key.SubKey(), "uuid"));
}

TEST(ClientIdentity, UnwritableKeyStillGivesAnIdentity) {
    // No root key: the read and the write both fail, the request still gets this machine's identity.
    EXPECT_EQ(GenerateIdentity(), GetOrCreateIdentity(nullptr, "SOFTWARE\\VarnioWorks\\Sorvik"));
}

TEST(RegistryText, ReadsValuesWithAndWithoutTerminator) {
    RegistrySandbox key;
    ASSERT_TRUE(WriteRegistryText(HKEY_CURRENT_USER, key.SubKey(), "bare", "1.2.3", REG_EXPAND_SZ));
    EXPECT_EQ("1.2.3", ReadRegistryText(HKEY_CURRENT_USER, key.SubKey(), "bare"));
    key.Set("terminated", "abc");
    EXPECT_EQ("abc", ReadRegistryText(HKEY_CURRENT_USER, key.SubKey(), "terminated"));
    EXPECT_EQ("", ReadRegistryText(HKEY_CURRENT_USER, key.SubKey(), "missing"));
    EXPECT_EQ("", ReadRegistryText(HKEY_CURRENT_USER, key.SubKey() + "\\none", "bare"));
}
