#include "updater/config/xml_text.h"

#include <cstdio>
#include <memory>

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
    while ((got = std::fread(block, 1, sizeof(block), file.get())) > 0)
        padded->append(block, got);
    if (std::ferror(file.get()))
        return false;
    padded->append(kXmlTailPadding, '\0');
    return true;
}
