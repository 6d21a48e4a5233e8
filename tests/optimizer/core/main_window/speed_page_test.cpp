// The network page's speed test in the real window: real timers and a stand-in Nettrel loaded through
// the same three exports, so each read of its count adds a set number of kilobytes. Leaves pictures
// of a run, its result and the failure page in "screenshots".
#include <gtest/gtest.h>

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/speed_test/speed_page.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "tests/optimizer/core/startup/screenshot.h"
#include "tests/support/fake_nettrel/fake_nettrel_module.h"
#include "window_test_support.h"

using namespace speed_page;

namespace {

class SpeedPageTest : public MainWindowTest {
protected:
    // Opens the window with the stand-in in Nettrel's place, counting `kilobytesPerRead` a read.
    bool OpenCounting(double kilobytesPerRead) {
        FakeNettrelExport<FakeNettrelSetStepFn>(kFakeNettrelSetStep)(kilobytesPerRead);
        MainWindowSettings settings = TestWindowSettings();
        settings.loadCompanions = [others = settings.loadCompanions](const std::wstring& folder,
                                                                     CompanionEntryPoints& entries) {
            const NettrelExports nettrel = FindNettrelExports(FakeNettrel());
            if (!others(folder, entries) || !nettrel.Complete())
                return false;
            entries.connectFirst = nettrel.first;
            entries.connectNext = nettrel.next;
            entries.connectLast = nettrel.last;
            return true;
        };
        return OpenWith(std::move(settings));
    }
    FakeNettrelCalls Calls() { return FakeNettrelExport<FakeNettrelCallsFn>(kFakeNettrelCalls)(); }
    const SkinText& Text(const wchar_t* name) { return *Window().Skin().Text(name); }
    // Pixels of the painted window inside `rect` (client coordinates) in the figures' red.
    int RedPixels(RECT rect) {
        ::UpdateWindow(Hwnd());
        ::MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return RedScreenPixels(rect);
    }
};

TEST_F(SpeedPageTest, ARunEndsWithItsLinesLaidOutAndOnlyTheFirstVisitStartsOne) {
    ASSERT_TRUE(FakeNettrel());
    ASSERT_TRUE(OpenCounting(50));  // about 100 KB/s at a sample every 500 ms
    EXPECT_EQ(nullptr, Window().Skin().Find(kStatus)) << "the page is built on its first visit";
    for (int tab : {1, 0, 1}) {
        Click(TabCentre(tab).x, TabCentre(tab).y);
        EXPECT_EQ(tab, Window().Page());
    }
    EXPECT_EQ(1, Calls().first) << "coming back starts nothing";

    Command(kCmdSpeedCancel);
    EXPECT_EQ(1, Calls().last);
    EXPECT_TRUE(Visible(kRetryBtn) && Visible(kCancelledText));
    EXPECT_FALSE(Visible(kCancelBtn) || Visible(kProgress));
    Command(kCmdSpeedRetry);
    EXPECT_EQ(2, Calls().first);
    EXPECT_TRUE(Visible(kCancelBtn) && Visible(kStatus));

    PumpFor(3000);
    EXPECT_NE(L"0KB/秒", Text(kRunningSpeed).GetText()) << "the running speed follows the samples";
    EXPECT_TRUE(SaveScreenshot(L"speed_test_running"));
    // 300 ticks of 50 ms, then the gauge.
    ASSERT_TRUE(PumpUntil([&] { return Visible(kRestartBtn); }, 40000));
    EXPECT_EQ(2, Calls().last);
    EXPECT_TRUE(SaveScreenshot(L"speed_test_result"));

    const std::vector<std::vector<const wchar_t*>> lines = {{kStatus, kResultSpeed, kResultJoin, kResultRating},
                                                            {kBand, kBandLow, kBandJoin, kBandHigh, kBandEnd}};
    for (const auto& line : lines) {
        for (size_t i = 0; i < line.size(); ++i) {
            const RECT piece = Text(line[i]).GetRect();
            EXPECT_TRUE(Visible(line[i])) << i;
            EXPECT_FALSE(Text(line[i]).GetText().empty()) << i;
            if (i == 0)
                continue;
            const RECT previous = Text(line[i - 1]).GetRect();
            EXPECT_EQ(previous.right, piece.left) << "piece " << i << " follows the one before";
            EXPECT_EQ(previous.top, piece.top) << i;
        }
    }
    EXPECT_EQ(kResultLead, Text(kStatus).GetText());
    EXPECT_NE(L"0KB/秒", Text(kResultSpeed).GetText());
    EXPECT_GT(RedPixels(Text(kResultSpeed).GetRect()), 0) << "the speed in red";
    // GDI+ draws each piece a small margin right of its point, so the speed's last glyph reaches in.
    RECT joiningWords = Text(kResultJoin).GetRect();
    joiningWords.left += 4;
    EXPECT_EQ(0, RedPixels(joiningWords)) << "joining words in the line's colour";
    EXPECT_GT(RedPixels(Text(kResultRating).GetRect()), 0) << "the rating in red";
    EXPECT_TRUE(Visible(kGauge) && Visible(kScale));
    EXPECT_FALSE(Visible(kFailureText));
}

TEST_F(SpeedPageTest, NothingCountedShowsTheFailureTextAndRestartTestsAgain) {
    ASSERT_TRUE(OpenCounting(0));
    Command(kCmdTrayRepair);  // the tray's way to the page
    ASSERT_EQ(1, Calls().first);
    // The sampling ticks sent at once; the gauge runs on its own timer.
    for (int n = 0; n < 400 && Window().SpeedTest().Phase() == SpeedPhase::kSampling; ++n)
        ::SendMessageW(Hwnd(), WM_TIMER, kTimerSpeedSampling, 0);
    ASSERT_TRUE(PumpUntil([&] { return Visible(kRestartBtn); }));
    EXPECT_TRUE(Visible(kFailureText));
    EXPECT_FALSE(Visible(kGauge) || Visible(kScale) || Visible(kStatus));
    const RECT failure = Text(kFailureText).GetRect();
    EXPECT_EQ(Text(kStatus).GetRect().left, failure.left) << "where the result line starts";
    EXPECT_EQ(Text(kStatus).GetRect().top, failure.top);
    EXPECT_GT(failure.bottom - failure.top, 3 * (Text(kStatus).GetRect().bottom - Text(kStatus).GetRect().top))
        << "four lines";
    EXPECT_GT(RedPixels(failure), 0);
    EXPECT_TRUE(SaveScreenshot(L"speed_test_failed"));

    Command(kCmdSpeedRestart);
    EXPECT_EQ(2, Calls().first);
    EXPECT_FALSE(Visible(kFailureText) || Visible(kRestartBtn));
    EXPECT_TRUE(Visible(kStatus) && Visible(kCancelBtn));
}

}  // namespace
