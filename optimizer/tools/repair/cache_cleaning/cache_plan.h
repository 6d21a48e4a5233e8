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

    // The settings of this user and the protected folders of this machine.
    static CachePlan FromThisSystem();
};

// Bytes in both folders; a folder the guard refuses counts 0 and is not searched.
uint64_t MeasureCaches(const CachePlan& plan, CleaningSink& sink);

// Deletes the product cache folder tree when the setting names one and the guard admits it; otherwise
// nothing. False when stopped.
bool ClearProductCache(const CachePlan& plan, CleaningSink& sink);
