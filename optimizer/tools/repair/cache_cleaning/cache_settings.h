// Where the two caches are, read from this user's settings each time (any thread).
#pragma once
#include <string>

// "VARNIOCACHE" of section "SETTING" in %APPDATA%\Varnio\data\Setting\sc_center.ini as written; when
// the key is absent, the temporary folder followed by "varnio\data\Cache\". An empty folder means: none.
struct ProductCacheSetting {
    std::wstring folder;
    bool unreadable = false;  // a value too long to be a path: no folder, and the run says so
};
ProductCacheSetting ReadProductCacheSetting();

// The "Cache" user shell folder with its %variables% expanded; empty when it cannot be read.
std::wstring ReadBrowserCacheFolder();
