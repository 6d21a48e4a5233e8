#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "optimizer/tools/memory/memory_messages.h"
#include "optimizer/tools/memory/memory_page.h"
#include "optimizer/tools/memory/memory_tally.h"
#include "optimizer/tools/memory/memory_worker.h"
#include "tests/optimizer/tools/control_state.h"
#include "tests/optimizer/tools/message_recorder.h"

namespace {

constexpr int64_t kMB = 1 << 20;
constexpr int64_t kGB = int64_t(1) << 30;

TEST(FreedAmount, ShowsMegabytesCutAfterFiveOrSixCharacters) {
    const struct {
        int64_t bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0.0000M"},       {12945408, L"12.345M"},     {1073741824, L"1024.0M"}, {-3 * kMB, L"0.0000M"},
        {5 * kGB, L"5120.0M"}, {0xFFFFFFFFLL, L"4096.0M"}, {10000 * kMB, L"10000M"}, {512 * 1024, L"0.5000M"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, FormatFreedAmount(c.bytes)) << c.bytes;
}

TEST(MemoryTally, SumsEveryProcessIn64BitsAndKeepsThePercentageWithin100) {
    struct Process {
        SIZE_T before, after, pagefile;
    };
    const struct {
        const char* name;
        std::vector<Process> processes;
        const wchar_t* shown;
        unsigned lastPercent;
    } cases[] = {
        {"a process that grew lowers the total", {{300 * kMB, 100 * kMB, 0}, {50 * kMB, 150 * kMB, 0}}, L"100.00M", 0},
        {"a net growth shows nothing freed", {{10 * kMB, 5 * kMB, 0}, {10 * kMB, 40 * kMB, 0}}, L"0.0000M", 0},
        {"page-file usage beyond the commit charge", {{0, 0, 700 * kMB}, {0, 0, 700 * kMB}}, L"0.0000M", 100},
        {"page-file usage halfway", {{0, 0, 256 * kMB}, {0, 0, 256 * kMB}}, L"0.0000M", 50},
    };
    for (const auto& c : cases) {
        CMemoryTally tally(1 * kGB);
        unsigned percent = 0;
        for (const Process& p : c.processes)
            percent = tally.AddProcess(p.before, p.after, p.pagefile);
        EXPECT_EQ(c.shown, FormatFreedAmount(tally.FreedBytes())) << c.name;
        EXPECT_EQ(c.lastPercent, percent) << c.name;
    }
    // More than 4 GB freed in all, which a 32-bit process cannot see in one process.
    CMemoryTally big(1 * kGB);
    for (int i = 0; i < 3; ++i)
        big.AddProcess(static_cast<SIZE_T>(2 * kGB), 0, 0);
    big.AddProcess(0, static_cast<SIZE_T>(1 * kGB), 0);
    EXPECT_EQ(L"5120.0M", FormatFreedAmount(big.FreedBytes()));
}

TEST(MemoryWorker, ARealRunTrimsProcessesAndLeavesItsResultForItsRunOnly) {
    CMessageRecorder recorder(WM_MEMORY_PROGRESS, WM_MEMORY_DONE);
    auto slot = std::make_shared<CMemoryResultSlot>();
    AutoHandle worker = StartMemoryWorker(recorder.Window(), 1, slot, AutoHandle());
    ASSERT_TRUE(worker);
    ASSERT_TRUE(recorder.WaitFor(WM_MEMORY_DONE, 30000));
    const auto& messages = recorder.Messages();
    ASSERT_GE(messages.size(), 2u);
    for (size_t i = 0; i + 1 < messages.size(); ++i) {
        EXPECT_EQ(WM_MEMORY_PROGRESS, messages[i].message);
        EXPECT_LE(messages[i].lParam, 100);
    }
    ASSERT_EQ(WM_MEMORY_DONE, messages.back().message);
    EXPECT_EQ(0, messages.back().lParam) << "the message carries nothing to trust";
    EXPECT_FALSE(slot->Take(2)) << "not another run's";
    const std::optional<MemoryResult> result = slot->Take(1);
    ASSERT_TRUE(result);
    EXPECT_FALSE(slot->Take(1)) << "handed out once";
    EXPECT_GE(result->processesOpened, 1u);  // this test program at least
    EXPECT_GE(result->processesTrimmed, 1u);
    EXPECT_EQ(FormatFreedAmount(result->freedBytes), result->freedText);
    EXPECT_NE(L'-', result->freedText[0]);

    // A second start lets go of the first thread and runs again.
    const size_t firstRun = messages.size();
    AutoHandle second = StartMemoryWorker(recorder.Window(), 2, slot, std::move(worker));
    ASSERT_TRUE(second);
    ASSERT_TRUE(PumpUntil(
        [&] { return recorder.Messages().size() > firstRun && recorder.Messages().back().message == WM_MEMORY_DONE; },
        30000));
    EXPECT_TRUE(slot->Take(2));
}

TEST(MemoryPage, StartShowsTheAnimationAndDoneTheResultButton) {
    ControlState page;
    page.shown = {L"BoostIcon1", L"BoostIcon2", L"BoostIcon3",    L"BoostIcon4",
                  L"BoostIcon5", L"BoostIcon6", L"BeginMemoryBtn"};
    page.Apply(MemoryStartChanges());
    EXPECT_EQ((std::set<std::wstring>{L"BoostIcon1", L"BoostIcon3", L"BoostIcon5", L"BeginMemoryBtn", L"ChaosCircle21",
                                      L"ChaosCircle22", L"ChaosCircle23", kMemoryStateTextName}),
              page.shown);
    EXPECT_EQ(1u, page.disabled.count(L"BeginMemoryBtn"));
    page.Apply(MemoryDoneChanges());
    EXPECT_EQ((std::set<std::wstring>{L"BoostIcon1", L"BoostIcon3", L"BoostIcon5", L"BoostIcon6", L"BeginMemoryBtn"}),
              page.shown);
    EXPECT_TRUE(page.disabled.empty());
    EXPECT_EQ(L"继续优化", page.texts[L"BeginMemoryBtn"]);

    // A run that did nothing puts back what its start hid, and only that.
    const std::set<std::wstring> before = page.shown;
    page.Apply(MemoryStartChanges());
    page.Apply(MemoryIdleChanges({L"BoostIcon6"}));
    EXPECT_EQ(before, page.shown);
    EXPECT_TRUE(page.disabled.empty());
}

}  // namespace
