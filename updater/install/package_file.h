// Where the downloaded installer goes: the temporary folder, under the last part of its URL when that is a
// plain file name, else "varnio_movrel.exe". Pure, except TemporaryFolder. Any thread.
#pragma once
#include <cstdint>
#include <string>

constexpr wchar_t kDefaultPackageName[] = L"varnio_movrel.exe";

// The text after the last "/" of `url` (ANSI code page) when it can only name a file inside one folder:
// no path separators, no "..", no drive colon, no query, no character Windows forbids, no reserved
// device name, no trailing dot or space; "varnio_movrel.exe" otherwise (also when the URL has no "/" or
// ends in one).
std::wstring PackageFileName(const std::string& url);

// The user's temporary folder with its trailing separator; "" when the system cannot name it.
std::wstring TemporaryFolder();

// A package counts as complete only when the transfer succeeded and every received byte reached the file.
inline bool PackageComplete(bool transferOk, int64_t bytesReceived, int64_t bytesOnDisk) {
    return transferOk && bytesOnDisk == bytesReceived;
}
