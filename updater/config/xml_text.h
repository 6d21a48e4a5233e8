// Text handed to TinyXML. Its UTF-8 scanner steps over a multi-byte character by the length its lead
// byte announces, so a document that ends inside one (truncated, corrupted or hostile) makes it read
// past the terminator. The parsers therefore take their text followed by kXmlTailPadding NUL bytes,
// which stop every such step inside the buffer. The parser also builds every node in memory and
// descends one call per level, so documents beyond the bounds below are malformed and never reach it.
// Pure; any thread.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t kXmlTailPadding = 8;
// Both documents are a root with one level of entries; the bounds leave room and nothing more.
constexpr size_t kXmlMaxBytes = 1 << 20;
constexpr int kXmlMaxDepth = 8;

// `text` followed by the padding (c_str() of the result is what the parsers take).
std::string PaddedXml(std::string text);
// The whole file followed by the padding; false when it cannot be read or is longer than kXmlMaxBytes.
bool ReadPaddedXmlFile(const std::wstring& path, std::string* padded);

// True when the text up to its first NUL is at most kXmlMaxBytes long and opens no element deeper than
// kXmlMaxDepth (comments, CDATA, declarations and quoted attribute values are stepped over the way the
// parser steps over them).
bool XmlWithinBounds(const char* text);
