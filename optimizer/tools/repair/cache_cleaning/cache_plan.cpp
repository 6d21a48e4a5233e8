#include "optimizer/tools/repair/cache_cleaning/cache_plan.h"

#include "optimizer/tools/repair/cache_cleaning/cache_settings.h"
#include "optimizer/tools/repair/cache_cleaning/folder_tree.h"

CachePlan CachePlan::FromThisSystem() {
    const ProductCacheSetting product = ReadProductCacheSetting();
    return CachePlan{product.folder, ReadBrowserCacheFolder(), CFolderGuard::ForThisSystem(), product.unreadable};
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

ProductCacheResult CleanProductCache(const CachePlan& plan, CleaningSink& sink) {
    if (sink.StopRequested())
        return ProductCacheResult::Stopped;
    if (plan.productSettingUnreadable)
        return ProductCacheResult::Unreadable;
    if (plan.productFolder.empty())
        return ProductCacheResult::Cleaned;
    const std::wstring folder = plan.guard.Admit(plan.productFolder);
    if (folder.empty())
        return ProductCacheResult::Refused;
    switch (DeleteFolderTree(folder, sink)) {
        case TreeResult::Done:
            return ProductCacheResult::Cleaned;
        case TreeResult::Stopped:
            return ProductCacheResult::Stopped;
        case TreeResult::Unreadable:
            break;
    }
    return ProductCacheResult::Unreadable;
}

bool ClearProductCache(const CachePlan& plan, CleaningSink& sink) {
    return CleanProductCache(plan, sink) != ProductCacheResult::Stopped;
}
