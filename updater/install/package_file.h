// The downloaded installer's file name in the temporary folder: the last part of its URL when that is a
// plain file name, else "varnio_movrel.exe". Pure; any thread.
#pragma once
#include <string>

constexpr wchar_t kDefaultPackageName[] = L"varnio_movrel.exe";

// The text after the last "/" of `url` (ANSI code page) when it can only name a file inside one folder:
// no path separators, no "..", no drive colon, no query, no character Windows forbids, no reserved
// device name, no trailing dot or space; "varnio_movrel.exe" otherwise (also when the URL has no "/" or
// ends in one).
std::wstring PackageFileName(const std::string& url);
