#include "updater/check/manifest_fetch.h"

#include "common/curl_transfer.h"
#include "common/text_encoding.h"
#include "updater/config/product_key.h"
#include "updater/config/update_config.h"
#include "updater/config/updater_folders.h"
#include "updater/config/xml_text.h"

#include <windows.h>

namespace {
constexpr long kManifestSeconds = 5;
}  // namespace

std::wstring LocalManifestPath(const CUpdateConfig& config) {
    const std::wstring folder = TemporaryFolder();
    const std::string name = config.Get(config_key::kLocalXmlFileName);
    if (folder.empty() || name.empty())
        return {};
    return folder + AnsiToWide(name);
}

bool FetchManifest(const CUpdateConfig& config) {
    curl_space::CurlRequestScope scope;
    CURL* handle = scope.Handle();
    if (!handle)
        return false;
    curl_space::SetConnectTimeout(handle, kManifestSeconds);
    curl_space::SetTotalTimeout(handle, kManifestSeconds);
    const std::string url = config.Get(config_key::kNetXmlUrl);
    const std::wstring localPath = LocalManifestPath(config);
    if (url.empty() || localPath.empty())
        return false;
    curl_space::ApplySystemProxy(handle);
    const std::string query = AppendUpdaterIdentityQuery(url, SplitProductKey(config.Get(config_key::kRegKey)));
    ::DeleteFileW(localPath.c_str());
    // A longer manifest could not be parsed anyway; stopping there keeps a hostile server from filling
    // the disk or the parser's memory.
    return curl_space::DownloadToFile(handle, query, localPath, kXmlMaxBytes);
}
