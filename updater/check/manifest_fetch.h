// Fetching the update manifest into the temporary folder. Blocking, on the calling thread; every failure
// is a false result.
#pragma once
#include <string>

class CUpdateConfig;

// Temporary folder + the configured local file name; "" when either is unknown.
std::wstring LocalManifestPath(const CUpdateConfig& config);

// Deletes the local copy, then downloads the configured URL with the identity query into it (5 s in
// all, 8 s to connect, the system proxy when there is one). True only for a complete transfer with
// status 200; a body longer than kXmlMaxBytes (config/xml_text.h) is stopped there and fails.
bool FetchManifest(const CUpdateConfig& config);
