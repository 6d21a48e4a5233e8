#include "updater/config/xml_text.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {
// Where the construct opening at `at` ends (one past it), or npos when the text ends first.
size_t SkipPast(std::string_view text, size_t at, std::string_view closing) {
    const size_t end = text.find(closing, at);
    return end == std::string_view::npos ? end : end + closing.size();
}

// One past the '>' of the tag opening at `at`, stepping over quoted attribute values.
size_t SkipTag(std::string_view text, size_t at, bool* selfClosing) {
    char quote = 0;
    for (size_t i = at + 1; i < text.size(); ++i) {
        const char ch = text[i];
        if (quote) {
            quote = ch == quote ? 0 : quote;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == '>') {
            *selfClosing = text[i - 1] == '/';
            return i + 1;
        }
    }
    return std::string_view::npos;
}
}  // namespace

std::string PaddedXml(std::string text) {
    text.append(kXmlTailPadding, '\0');
    return text;
}

bool ReadPaddedXmlFile(const std::wstring& path, std::string* padded) {
    padded->clear();
    struct Closer {
        void operator()(FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<FILE, Closer> file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return false;
    char block[16384];
    size_t got;
    while ((got = std::fread(block, 1, sizeof(block), file.get())) > 0) {
        padded->append(block, got);
        if (padded->size() > kXmlMaxBytes) {
            padded->clear();
            return false;
        }
    }
    if (std::ferror(file.get()))
        return false;
    padded->append(kXmlTailPadding, '\0');
    return true;
}

bool XmlWithinBounds(const char* text) {
    const size_t length = strnlen(text, kXmlMaxBytes + 1);
    if (length > kXmlMaxBytes)
        return false;
    const std::string_view xml(text, length);
    int depth = 0;
    for (size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at)) {
        const std::string_view rest = xml.substr(at);
        if (rest.compare(0, 4, "<!--") == 0) {
            at = SkipPast(xml, at + 4, "-->");
        } else if (rest.compare(0, 9, "<![CDATA[") == 0) {
            at = SkipPast(xml, at + 9, "]]>");
        } else if (rest.compare(0, 2, "<!") == 0 || rest.compare(0, 2, "<?") == 0) {
            at = SkipPast(xml, at + 2, ">");  // declarations and unknown nodes end at the first '>'
        } else if (rest.compare(0, 2, "</") == 0) {
            depth = depth > 0 ? depth - 1 : 0;
            at = SkipPast(xml, at + 2, ">");
        } else {
            if (++depth > kXmlMaxDepth)
                return false;
            bool selfClosing = false;
            at = SkipTag(xml, at, &selfClosing);
            if (selfClosing)
                --depth;
        }
    }
    return true;
}
