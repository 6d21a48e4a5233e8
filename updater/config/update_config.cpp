#include "updater/config/update_config.h"

#include "common/text_encoding.h"
#include "updater/config/xml_text.h"

#include <tinyxml.h>

namespace {
std::vector<std::pair<std::string, std::string>> Entries(const TiXmlDocument& doc) {
    std::vector<std::pair<std::string, std::string>> entries;
    const TiXmlElement* root = doc.RootElement();
    if (!root)
        return entries;
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const char* id = e->Attribute("id");
        if (!id)
            continue;
        const char* text = e->GetText();
        entries.emplace_back(id, text ? text : "");
    }
    return entries;
}
}  // namespace

bool CUpdateConfig::Load(const std::wstring& path) {
    std::string text;
    if (!ReadPaddedXmlFile(path, &text)) {
        m_entries.clear();
        return false;
    }
    return ParsePadded(text.c_str());
}

bool CUpdateConfig::Parse(const std::string& xml) {
    return ParsePadded(PaddedXml(xml).c_str());
}

bool CUpdateConfig::ParsePadded(const char* paddedXml) {
    m_entries.clear();
    if (!XmlWithinBounds(paddedXml))
        return false;
    TiXmlDocument doc;
    doc.Parse(paddedXml, nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error())
        return false;
    m_entries = Entries(doc);
    return true;
}

std::string CUpdateConfig::Get(const char* key) const {
    for (const auto& entry : m_entries) {
        if (entry.first == key)
            return WideToAnsi(Utf8ToWide(entry.second));
    }
    return {};
}
