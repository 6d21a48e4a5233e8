// The installation's stable identity: MD5 of the processor text and the first adapter's name,
// 32 lower-case hexadecimal characters, kept as "uuid" under the product's registry key.
// Any thread (COM is initialised around the generation); failures fall back, never throw.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Leaf-1 feature flags (EDX, lowest byte first) then the vendor words EBX, EDX, ECX, cut at the first zero.
std::string ProcessorText(uint32_t featureFlags, uint32_t vendorEbx, uint32_t vendorEdx, uint32_t vendorEcx);
std::string ReadProcessorText();   // from this machine's processor
std::string FirstAdapterName();    // "" when there is no adapter or the list cannot be read

std::string IdentityDigest(const std::string& processorText, const std::string& adapterText);
std::string GenerateIdentity();

// Reads "uuid"; when missing or empty, generates one and stores it (a failed store is ignored).
std::string GetOrCreateIdentity(HKEY root, const std::string& subKey);
