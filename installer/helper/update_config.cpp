#include "installer/helper/update_config.h"

#include "common/text_encoding.h"

std::vector<UpdateConfigEntry> ProductUpdateConfig(const ServiceHosts& hosts) {
    // The service addresses come from an ANSI profile file; the document is UTF-8.
    auto utf8 = [](const std::string& ansi) { return WideToUtf8(AnsiToWide(ansi)); };
    return {
        {"IDS_UPDATE_NETXML_URL", utf8(ServiceUrl(hosts.update, kUpdateManifestPath))},
        {"IDS_UPDATE_LOCALXML_FILENAME", "sorvik_update.xml"},
        {"IDS_REG_KEY", "HKEY_CURRENT_USER\\SOFTWARE\\VarnioWorks\\Sorvik"},
        {"IDS_REG_VAR", "path"},
        // Not Sorvik's own mutex: the updater runs while Sorvik holds that one.
        {"IDS_MTX", "VarnioTaviskSorvik"},
        {"IDS_OFFICIAL_URL", utf8(ServiceUrl(hosts.web, "/"))},
        {"IDS_UPDATE_APP_SHOWNAME", "Sorvik"},
        {"IDS_UPDATE_APP_NAME", "Sorvik.exe"},
    };
}

std::string EscapeXml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UpdateConfigDocument(const std::vector<UpdateConfigEntry>& entries) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<update_config>\r\n";
    for (const UpdateConfigEntry& entry : entries) {
        xml += "  <string id=\"" + EscapeXml(entry.id) + "\">" + EscapeXml(entry.value) + "</string>\r\n";
    }
    xml += "</update_config>\r\n";
    return xml;
}
