#include "updater/config/update_config.h"

#include "common/text_encoding.h"

#include <tinyxml.h>

#include <cstdio>
#include <memory>

namespace {
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

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
    m_entries.clear();
    std::unique_ptr<FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
    TiXmlDocument doc;
    if (!file || !doc.LoadFile(file.get(), TIXML_ENCODING_UTF8))
        return false;
    m_entries = Entries(doc);
    return true;
}

bool CUpdateConfig::Parse(const char* xml) {
    m_entries.clear();
    TiXmlDocument doc;
    doc.Parse(xml, nullptr, TIXML_ENCODING_UTF8);
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
