#include <gtest/gtest.h>

#include "optimizer/tools/repair/repair_page.h"
#include "tests/optimizer/tools/control_state.h"

namespace {

using Shown = std::set<std::wstring>;

TEST(RepairPage, EachStepShowsOnlyWhatBelongsToIt) {
    const Shown running = {L"EndRepairBtn", L"RepairSateStatic", L"RepairProgressBarCtrl", L"FeedBackStatic"};
    const struct {
        const char* step;
        ControlChanges changes;
        Shown shown;
        int bar;
    } steps[] = {
        {"start", RepairStartChanges(), running, 0},
        {"progress past 100", RepairProgressChanges(250), running, 100},
        {"done",
         RepairDoneChanges(ProductCacheResult::Cleaned),
         {L"SucceedIcon", L"RepairCompleteStatic", L"ReRepairBtn", L"FeedBackStatic"},
         100},
        {"again", RepairAgainChanges(), running, 0},
        {"done, product cache refused",
         RepairDoneChanges(ProductCacheResult::Refused),
         {L"WarnIcon", L"ReRepairBtn", L"FeedBackStatic"},
         0},
        {"again after a refusal", RepairAgainChanges(), running, 0},
        {"done, product cache unreadable",
         RepairDoneChanges(ProductCacheResult::Unreadable),
         {L"WarnIcon", L"ReRepairBtn", L"FeedBackStatic"},
         0},
        {"again after an unreadable cache", RepairAgainChanges(), running, 0},
        {"cancel", RepairCancelChanges(), {L"WarnIcon", L"ReRepairBtn", L"RepairCancelStatic", L"FeedBackStatic"}, 0},
        {"again after cancel", RepairAgainChanges(), running, 0},
    };
    ControlState page;
    page.shown = {L"BeginRepairBtn", L"RepairIcon", L"FeedBackStatic"};
    for (const auto& s : steps) {
        page.Apply(s.changes);
        EXPECT_EQ(s.shown, page.shown) << s.step;
        EXPECT_EQ(s.bar, page.positions[L"RepairProgressBarCtrl"]) << s.step;
    }
}

}  // namespace
