// The downloaded package between its download and the installer's start: held open so that nobody can
// write, rename or delete it, and its MD5 and SHA-256 read through that very handle, so the bytes that
// were checked are the bytes that run. Download worker; blocking; never throws.
#pragma once
#include "common/handles.h"
#include "updater/install/task_start.h"

#include <string>

// Opens `path` for reading with write and delete sharing refused; empty when it cannot be opened (as
// while anyone else still has it open for writing).
AutoHandle HoldPackage(const std::wstring& path);

// Both digests of the held file, read from its start; false when it cannot be read.
bool ReadPackageDigests(HANDLE held, PackageDigests& out);

// Both digests present and equal as exact text; an upper-case or empty expected value never matches.
inline bool DigestsMatch(const PackageDigests& actual, const PackageDigests& expected) {
    return !expected.md5.empty() && !expected.sha256.empty() && actual.md5 == expected.md5 &&
           actual.sha256 == expected.sha256;
}
