// The update manifest: a root element holding a "current" element (version, md5, releasetime, urlauto,
// urlmanual, urltip, bufsize, sha256, signature) and a "force" element (condition). Values are the
// attributes' bytes as they stand, empty when missing. Pure parsing; any thread.
#pragma once
#include <string>

struct ManifestRecord {
    std::string version;      // offered version
    std::string md5;          // expected digest of the package, lower-case hexadecimal
    std::string releaseTime;  // kept, unused
    std::string urlAuto;      // the package the updater downloads
    std::string urlManual;    // page for a manual download
    std::string urlTip;       // release notes
    std::string condition;    // installed versions up to this one must update
    std::string bufSize;      // package size as display text
    std::string sha256;       // publisher-signed digest of the package, lower-case hexadecimal
    std::string signature;    // publisher's signature over the version and sha256, hexadecimal r then s
};

// Walks the root's child elements in order, counting each "current" and "force"; complete (true) as soon
// as two were seen, later elements unread. False when the text does not parse or the children run out,
// and for a text beyond the size or depth bounds of config/xml_text.h, which the parser never sees.
bool ParseManifest(const std::string& xml, ManifestRecord& record);
bool ParseManifestFile(const std::wstring& path, ManifestRecord& record);
// The same from text followed by kXmlTailPadding NUL bytes (config/xml_text.h).
bool ParsePaddedManifest(const char* paddedXml, ManifestRecord& record);

// Versions compare as plain byte strings (first differing byte as unsigned, a prefix is less):
// "1.0.0.10" < "1.0.0.9", and "" is less than any non-empty version.
inline bool VersionLess(const std::string& a, const std::string& b) {
    return a < b;
}
