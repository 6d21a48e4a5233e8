// One cache-cleaning run's folders and the guard that admits them, and the steps the repair worker and
// the companion library share. The steps run on the caller's thread and stop when the sink asks.
#pragma once
#include <cstdint>
#include <string>

#include "optimizer/tools/repair/cache_cleaning/cleaning_sink.h"
#include "optimizer/tools/repair/cache_cleaning/folder_guard.h"

struct CachePlan {
    std::wstring productFolder;  // setting as written; empty: none
    std::wstring browserFolder;  // measured only; its files go through the URL cache
    CFolderGuard guard;
    bool productSettingUnreadable = false;  // the setting could not be read: no product folder

    // The settings of this user and the protected folders of this machine.
    static CachePlan FromThisSystem();
};

// Bytes in both folders; a folder the guard refuses counts 0 and is not searched.
uint64_t MeasureCaches(const CachePlan& plan, CleaningSink& sink);

// How the product cache step ended; the values travel to the window with the run's done message.
enum class ProductCacheResult {
    Cleaned = 0,     // deleted what could go, or no folder was set
    Refused = 1,     // the guard refused the setting: nothing was touched
    Unreadable = 2,  // the setting, the folder or a folder inside it could not be read
    Stopped = 3,
};

// Deletes the product cache folder tree when the setting names one and the guard admits it; otherwise
// nothing.
ProductCacheResult CleanProductCache(const CachePlan& plan, CleaningSink& sink);
// The same, for callers that only tell a stop (false) from an end.
bool ClearProductCache(const CachePlan& plan, CleaningSink& sink);
