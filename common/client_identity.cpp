#include "common/client_identity.h"

#include "common/md5_tools.h"
#include "common/registry_text.h"

#include <iphlpapi.h>
#include <objbase.h>

#include <cstring>
#include <vector>

#ifdef _MSC_VER
#include <intrin.h>
#else
#include <cpuid.h>
#endif

namespace {

void Cpuid(unsigned leaf, uint32_t regs[4]) {
#ifdef _MSC_VER
    int out[4] = {};
    __cpuid(out, static_cast<int>(leaf));
    for (int i = 0; i < 4; ++i) regs[i] = static_cast<uint32_t>(out[i]);
#else
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid(leaf, a, b, c, d);
    regs[0] = a, regs[1] = b, regs[2] = c, regs[3] = d;
#endif
}

class ScopedComInit {
public:
    ScopedComInit() : m_ok(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ScopedComInit() { if (m_ok) ::CoUninitialize(); }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    bool m_ok;
};

const char kIdentityValue[] = "uuid";

}  // namespace

std::string ProcessorText(uint32_t featureFlags, uint32_t vendorEbx, uint32_t vendorEdx, uint32_t vendorEcx) {
    const uint32_t words[4] = {featureFlags, vendorEbx, vendorEdx, vendorEcx};
    char text[sizeof(words) + 1] = {};
    for (int w = 0; w < 4; ++w)
        for (int b = 0; b < 4; ++b) text[4 * w + b] = static_cast<char>((words[w] >> (8 * b)) & 0xFF);
    return std::string(text);  // ends at the first zero byte, as the stored text always has
}

std::string ReadProcessorText() {
    uint32_t vendor[4], features[4];
    Cpuid(0, vendor);
    Cpuid(1, features);
    return ProcessorText(features[3], vendor[1], vendor[3], vendor[2]);
}

std::string FirstAdapterName() {
    ULONG size = 0;
    if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return {};
    HANDLE heap = ::GetProcessHeap();
    auto* list = static_cast<IP_ADAPTER_INFO*>(::HeapAlloc(heap, 0, size));
    if (!list) return {};
    std::string name;
    if (::GetAdaptersInfo(list, &size) == NO_ERROR) name = list->AdapterName;
    ::HeapFree(heap, 0, list);
    return name;
}

std::string IdentityDigest(const std::string& processorText, const std::string& adapterText) {
    return md5_space::md5_tools::digest(processorText + adapterText);
}

std::string GenerateIdentity() {
    ScopedComInit com;
    return IdentityDigest(ReadProcessorText(), FirstAdapterName());
}

std::string GetOrCreateIdentity(HKEY root, const std::string& subKey) {
    std::string identity = ReadRegistryText(root, subKey, kIdentityValue);
    if (!identity.empty()) return identity;
    identity = GenerateIdentity();
    WriteRegistryText(root, subKey, kIdentityValue, identity);
    return identity;
}
