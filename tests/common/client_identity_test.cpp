#include "common/client_identity.h"

#include "common/md5_tools.h"
#include "common/registry_text.h"
#include "tests/common/registry_sandbox.h"

#include <gtest/gtest.h>
#include <iphlpapi.h>

#include <cstdio>
#include <cstring>
#include <vector>

#ifdef _MSC_VER
#include <intrin.h>
#else
#include <cpuid.h>
#endif

using md5_space::md5_tools;

TEST(ClientIdentity, ProcessorTextIsFlagsThenVendorCutAtTheFirstZero) {
    // "GenuineIntel" arrives as EBX "Genu", EDX "ineI", ECX "ntel".
    const uint32_t ebx = 0x756e6547, edx = 0x49656e69, ecx = 0x6c65746e;
    EXPECT_EQ(std::string("\x01\x02\x03\x04GenuineIntel"), ProcessorText(0x04030201, ebx, edx, ecx));
    EXPECT_EQ("", ProcessorText(0x04030200, ebx, edx, ecx));          // lowest flags byte zero
    EXPECT_EQ("\x11\x22", ProcessorText(0x00002211, ebx, edx, ecx));  // a zero byte inside the flags
    EXPECT_EQ(std::string("\xff\xff\xff\xff") + "Genu", ProcessorText(0xffffffff, ebx, 0, ecx));
}

TEST(ClientIdentity, DigestOfProcessorAndAdapterTexts) {
    EXPECT_EQ(md5_tools::digest(std::string("abc{ADAPTER}")), IdentityDigest("abc", "{ADAPTER}"));
    // No adapter: the digest of the processor text alone.
    EXPECT_EQ(md5_tools::digest(std::string("abc")), IdentityDigest("abc", ""));
}

namespace {
// The processor text as the instruction gives it here: leaf-1 flags, then the vendor "GenuineIntel" or
// the like from leaf 0 (EBX, EDX, ECX), cut at the first zero byte.
std::string ProcessorTextFromTheInstruction(std::string* vendor) {
    int leaf0[4] = {}, leaf1[4] = {};  // EAX, EBX, ECX, EDX
#ifdef _MSC_VER
    __cpuid(leaf0, 0);
    __cpuid(leaf1, 1);
#else
    __cpuid(0, leaf0[0], leaf0[1], leaf0[2], leaf0[3]);
    __cpuid(1, leaf1[0], leaf1[1], leaf1[2], leaf1[3]);
#endif
    char bytes[17] = {};
    std::memcpy(bytes, &leaf1[3], 4);
    std::memcpy(bytes + 4, &leaf0[1], 4);
    std::memcpy(bytes + 8, &leaf0[3], 4);
    std::memcpy(bytes + 12, &leaf0[2], 4);
    *vendor = std::string(bytes + 4, 12);
    return std::string(bytes);
}

// The first adapter's identifier as the IP Helper lists it, read into one generous buffer.
std::string FirstAdapterFromIpHelper() {
    std::vector<unsigned char> buffer(256 * 1024);
    ULONG size = static_cast<ULONG>(buffer.size());
    auto* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    return ::GetAdaptersInfo(list, &size) == NO_ERROR ? list->AdapterName : "";
}
}  // namespace

TEST(ClientIdentity, MadeFromThisMachinesProcessorAndFirstAdapter) {
    std::string vendor;
    const std::string processor = ProcessorTextFromTheInstruction(&vendor);
    std::printf("processor vendor \"%s\", first adapter \"%s\"\n", vendor.c_str(), FirstAdapterFromIpHelper().c_str());
    EXPECT_EQ(processor, ReadProcessorText());
    if (processor.size() == 16) {
        EXPECT_EQ(vendor, ReadProcessorText().substr(4));
    }
    EXPECT_EQ(FirstAdapterFromIpHelper(), FirstAdapterName());
    const std::string identity = GenerateIdentity();
    EXPECT_EQ(md5_tools::digest(processor + FirstAdapterFromIpHelper()), identity);
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
