// Text handed to TinyXML. Its UTF-8 scanner steps over a multi-byte character by the length its lead
// byte announces, so a document that ends inside one (truncated, corrupted or hostile) makes it read
// past the terminator. The parsers therefore take their text followed by kXmlTailPadding NUL bytes,
// which stop every such step inside the buffer. Pure; any thread.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t kXmlTailPadding = 8;

// `text` followed by the padding (c_str() of the result is what the parsers take).
std::string PaddedXml(std::string text);
// The whole file followed by the padding; false when it cannot be read.
bool ReadPaddedXmlFile(const std::wstring& path, std::string* padded);
