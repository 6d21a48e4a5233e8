#include "optimizer/tools/repair/cache_cleaning/cache_plan.h"

#include "optimizer/tools/repair/cache_cleaning/cache_settings.h"
#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"

CachePlan CachePlan::FromThisSystem() {
    return CachePlan{ReadProductCacheSetting(), ReadBrowserCacheFolder(), CFolderGuard::ForThisSystem()};
}

uint64_t MeasureCaches(const CachePlan& plan, CleaningSink& sink) {
    uint64_t total = 0;
    for (const std::wstring* setting : {&plan.browserFolder, &plan.productFolder}) {
        const std::wstring folder = plan.guard.Admit(*setting);
        if (!folder.empty())
            total += FolderSize(folder, sink);
    }
    return total;
}

bool ClearProductCache(const CachePlan& plan, CleaningSink& sink) {
    const std::wstring folder = plan.guard.Admit(plan.productFolder);
    return folder.empty() ? !sink.StopRequested() : DeleteFolderTree(folder, sink);
}
