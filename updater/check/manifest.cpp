#include "updater/check/manifest.h"

#include <tinyxml.h>

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

std::string AttributeText(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? value : "";
}

bool Walk(const TiXmlDocument& doc, ManifestRecord& record) {
    if (doc.Error())
        return false;
    const TiXmlElement* root = doc.RootElement();
    if (!root)
        return false;
    int seen = 0;
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        if (e->ValueStr() == "current") {
            record.version = AttributeText(*e, "version");
            record.md5 = AttributeText(*e, "md5");
            record.releaseTime = AttributeText(*e, "releasetime");
            record.urlAuto = AttributeText(*e, "urlauto");
            record.urlManual = AttributeText(*e, "urlmanual");
            record.urlTip = AttributeText(*e, "urltip");
            record.bufSize = AttributeText(*e, "bufsize");
            ++seen;
        } else if (e->ValueStr() == "force") {
            record.condition = AttributeText(*e, "condition");
            ++seen;
        }
        if (seen == 2)
            return true;
    }
    return false;
}
}  // namespace

bool ParseManifest(const char* xml, ManifestRecord& record) {
    TiXmlDocument doc;
    doc.Parse(xml);
    return Walk(doc, record);
}

bool ParseManifestFile(const std::wstring& path, ManifestRecord& record) {
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
    TiXmlDocument doc;
    if (!file || !doc.LoadFile(file.get()))
        return false;
    return Walk(doc, record);
}
