#include "updater/check/manifest.h"

#include "updater/config/xml_text.h"

#include <tinyxml.h>

namespace {
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
            record.sha256 = AttributeText(*e, "sha256");
            record.signature = AttributeText(*e, "signature");
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

bool ParsePaddedManifest(const char* paddedXml, ManifestRecord& record) {
    TiXmlDocument doc;
    doc.Parse(paddedXml);
    return Walk(doc, record);
}

bool ParseManifest(const std::string& xml, ManifestRecord& record) {
    return ParsePaddedManifest(PaddedXml(xml).c_str(), record);
}

bool ParseManifestFile(const std::wstring& path, ManifestRecord& record) {
    std::string text;
    return ReadPaddedXmlFile(path, &text) && ParsePaddedManifest(text.c_str(), record);
}
