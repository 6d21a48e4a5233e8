// CUpdateConfig: the configuration document "config\update_config.xml" that the product installs beside
// the updater. Each child element of the root is one entry: key = its "id" attribute, value = its text.
// Loaded once on the window thread at start-up and only read afterwards, so any thread may call Get.
#pragma once
#include <string>
#include <utility>
#include <vector>

// The complete set of keys the updater reads.
namespace config_key {
constexpr char kNetXmlUrl[] = "IDS_UPDATE_NETXML_URL";                // manifest URL, before the identity query
constexpr char kLocalXmlFileName[] = "IDS_UPDATE_LOCALXML_FILENAME";  // manifest copy in the temporary folder
constexpr char kRegKey[] = "IDS_REG_KEY";                             // "ROOT\sub\key" of the product
constexpr char kRegVar[] = "IDS_REG_VAR";                             // value holding the installation folder
constexpr char kMutex[] = "IDS_MTX";                                  // single-instance mutex name
constexpr char kOfficialUrl[] = "IDS_OFFICIAL_URL";                   // the product's web site
constexpr char kShowName[] = "IDS_UPDATE_APP_SHOWNAME";               // display name in titles and messages
constexpr char kAppName[] = "IDS_UPDATE_APP_NAME";                    // main program's file name
}  // namespace config_key

class CUpdateConfig {
public:
    // Replaces the entries with those of the file; false (and no entries) when it cannot be read or parsed.
    bool Load(const std::wstring& path);
    // The same from UTF-8 text, and from text followed by kXmlTailPadding NUL bytes (config/xml_text.h).
    bool Parse(const std::string& xml);
    bool ParsePadded(const char* paddedXml);
    // The first entry whose "id" equals `key` byte for byte, converted to the ANSI code page; "" otherwise.
    std::string Get(const char* key) const;

private:
    std::vector<std::pair<std::string, std::string>> m_entries;  // id and UTF-8 text, in document order
};
