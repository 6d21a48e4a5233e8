#include <gtest/gtest.h>

#include "optimizer/tools/repair/repair_page.h"
#include "tests/optimizer/tools/control_state.h"

namespace {

using Shown = std::set<std::wstring>;

TEST(RepairPage, EachStepShowsOnlyWhatBelongsToIt) {
    ControlState page;
    page.shown = {L"BeginRepairBtn", L"RepairIcon", L"FeedBackStatic"};
    const Shown running = {L"EndRepairBtn", L"RepairSateStatic", L"RepairProgressBarCtrl", L"FeedBackStatic"};

    page.Apply(RepairStartChanges());
    EXPECT_EQ(running, page.shown);
    EXPECT_EQ(0, page.positions[L"RepairProgressBarCtrl"]);
    page.Apply(RepairProgressChanges(250));
    EXPECT_EQ(100, page.positions[L"RepairProgressBarCtrl"]);
    page.Apply(RepairDoneChanges());
    EXPECT_EQ((Shown{L"SucceedIcon", L"RepairCompleteStatic", L"ReRepairBtn", L"FeedBackStatic"}), page.shown);

    page.Apply(RepairAgainChanges());
    EXPECT_EQ(running, page.shown);
    EXPECT_EQ(0, page.positions[L"RepairProgressBarCtrl"]);
    page.Apply(RepairCancelChanges());
    EXPECT_EQ((Shown{L"WarnIcon", L"ReRepairBtn", L"RepairCancelStatic", L"FeedBackStatic"}), page.shown);
    page.Apply(RepairAgainChanges());
    EXPECT_EQ(running, page.shown);
}

}  // namespace
