// The updater's configuration document for this product ("config\update_config.xml"), made from the
// installation's service addresses. Plain values in, UTF-8 text out; any thread.
#pragma once
#include <string>
#include <vector>

#include "common/service_hosts.h"

// Fixed names the updater is told about this product.
constexpr const char* kUpdateManifestPath = "/sorvik/update.xml";  // on the update service
constexpr const wchar_t* kUpdateConfigFolder = L"config";
constexpr const wchar_t* kUpdateConfigFile = L"config\\update_config.xml";

struct UpdateConfigEntry {
    std::string id;
    std::string value;  // UTF-8
};

// Every key the updater reads, in document order; a service that is not configured gives "".
std::vector<UpdateConfigEntry> ProductUpdateConfig(const ServiceHosts& hosts);

// The whole document: an XML declaration, one root, one element per entry with the key as its "id".
std::string UpdateConfigDocument(const std::vector<UpdateConfigEntry>& entries);

// Text with &, <, >, " and ' replaced by entities.
std::string EscapeXml(const std::string& text);
