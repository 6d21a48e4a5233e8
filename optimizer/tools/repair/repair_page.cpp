#include "optimizer/tools/repair/repair_page.h"

#include <windows.h>

#include <algorithm>

namespace {

const wchar_t kBegin[] = L"BeginRepairBtn";
const wchar_t kEnd[] = L"EndRepairBtn";
const wchar_t kAgain[] = L"ReRepairBtn";
const wchar_t kBar[] = L"RepairProgressBarCtrl";
const wchar_t kIdleIcon[] = L"RepairIcon";
const wchar_t kSucceedIcon[] = L"SucceedIcon";
const wchar_t kWarnIcon[] = L"WarnIcon";
const wchar_t kRunningText[] = L"RepairSateStatic";
const wchar_t kCompleteText[] = L"RepairCompleteStatic";
const wchar_t kCancelText[] = L"RepairCancelStatic";

// What every start shows: the cancel button, the running text and an empty bar.
void AppendRunning(ControlChanges& changes) {
    changes.push_back(ShowControl(kEnd));
    changes.push_back(ShowControl(kRunningText));
    changes.push_back(SetControlPos(kBar, 0));
    changes.push_back(ShowControl(kBar));
}

}  // namespace

ControlChanges RepairStartChanges() {
    ControlChanges changes{HideControl(kCompleteText), HideControl(kBegin), HideControl(kIdleIcon)};
    AppendRunning(changes);
    return changes;
}

ControlChanges RepairCancelChanges() {
    return {HideControl(kBegin), HideControl(kEnd),      HideControl(kRunningText), SetControlPos(kBar, 0),
            HideControl(kBar),   ShowControl(kWarnIcon), ShowControl(kAgain),       ShowControl(kCancelText)};
}

ControlChanges RepairAgainChanges() {
    ControlChanges changes{HideControl(kCancelText), HideControl(kWarnIcon),     HideControl(kSucceedIcon),
                           HideControl(kAgain),      HideControl(kCompleteText), HideControl(kBegin),
                           HideControl(kIdleIcon)};
    AppendRunning(changes);
    return changes;
}

ControlChanges RepairProgressChanges(LPARAM percent) {
    return {SetControlPos(kBar, static_cast<int>((std::max<LPARAM>)(0, (std::min<LPARAM>)(100, percent))))};
}

ControlChanges RepairDoneChanges(ProductCacheResult product) {
    ControlChanges changes{HideControl(kBar), HideControl(kEnd), HideControl(kRunningText)};
    if (product == ProductCacheResult::Cleaned) {
        changes.push_back(ShowControl(kSucceedIcon));
        changes.push_back(ShowControl(kCompleteText));  // says both caches are clean
    } else {
        changes.push_back(ShowControl(kWarnIcon));
    }
    changes.push_back(ShowControl(kAgain));
    return changes;
}

std::wstring RepairNoticeText(ProductCacheResult product) {
    switch (product) {
        case ProductCacheResult::Refused:
            // 游戏缓存文件夹的设置指向系统或个人文件夹，为保护您的文件，游戏缓存未作清理。
            return L"\u6e38\u620f\u7f13\u5b58\u6587\u4ef6\u5939\u7684\u8bbe\u7f6e\u6307\u5411\u7cfb\u7edf\u6216"
                   L"\u4e2a\u4eba\u6587\u4ef6\u5939\uff0c\u4e3a\u4fdd\u62a4\u60a8\u7684\u6587\u4ef6\uff0c"
                   L"\u6e38\u620f\u7f13\u5b58\u672a\u4f5c\u6e05\u7406\u3002";
        case ProductCacheResult::Unreadable:
            // 无法读取游戏缓存文件夹，游戏缓存未能清理。
            return L"\u65e0\u6cd5\u8bfb\u53d6\u6e38\u620f\u7f13\u5b58\u6587\u4ef6\u5939\uff0c"
                   L"\u6e38\u620f\u7f13\u5b58\u672a\u80fd\u6e05\u7406\u3002";
        case ProductCacheResult::Cleaned:
        case ProductCacheResult::Stopped:
            break;
    }
    return {};
}
