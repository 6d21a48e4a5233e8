// Whole runs through the same three exports the main window loads, from a stand-in Nettrel whose
// count grows by a set number of kilobytes per read.
#include <gtest/gtest.h>

#include "tests/optimizer/tools/speed_test/speed_page_recorder.h"
#include "tests/support/built_file.h"
#include "tests/support/fake_nettrel/fake_nettrel.h"

using namespace speed_page;

namespace {

HMODULE FakeNettrel() {
    static HMODULE module = ::LoadLibraryW(BuiltFilePath(SORVIK_FAKE_NETTREL_PATH).c_str());
    return module;
}

template <typename Fn>
Fn FakeExport(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(FakeNettrel(), name)));
}

class SpeedRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, FakeNettrel());
        ASSERT_TRUE(FindNettrelExports(FakeNettrel()).Complete());
        ASSERT_NE(nullptr, m_setStep);
        ASSERT_NE(nullptr, m_calls);
    }

    // A run of `kilobytesPerRead` per Nettrel read: with samples 500 ms apart, twice that in KB/s.
    void StartFirstRun(double kilobytesPerRead) {
        m_setStep(kilobytesPerRead);
        const SpeedStep step = m_page.Apply(m_runner.PageShown(m_tick));
        EXPECT_TRUE(step.buildPage);
    }
    int Finish() {
        return FinishSpeedRun(m_runner, m_page, [this](int) { return m_tick += kSamplingPeriodMs; });
    }
    SpeedStep Tick() { return m_page.Apply(m_runner.SamplingTimer(m_tick += kSamplingPeriodMs)); }
    FakeNettrelCalls Calls() const { return m_calls(); }

    FakeNettrelSetStepFn m_setStep = FakeExport<FakeNettrelSetStepFn>(kFakeNettrelSetStep);
    FakeNettrelCallsFn m_calls = FakeExport<FakeNettrelCallsFn>(kFakeNettrelCalls);
    CSpeedTestRunner m_runner{FindNettrelExports(FakeNettrel())};
    SpeedPageRecorder m_page;
    uint32_t m_tick = 123456;
};

TEST_F(SpeedRun, TakesThirtySamplesAtTicksTenToThreeHundredThenSwingsTheGauge) {
    StartFirstRun(10);
    EXPECT_EQ(1, Calls().first);
    EXPECT_EQ(1, Calls().next);  // the baseline
    EXPECT_TRUE(m_page.TimerRunning(kSamplingTimer));
    EXPECT_EQ(kStatusText, m_page[kStatus].text);
    EXPECT_TRUE(m_page.Visible(kCancelBtn));

    std::vector<int> sampledAt;
    for (int n = 1; n <= kProgressMax; ++n) {
        for (const ControlChange& change : Tick().changes) {
            if (change.name != kRunningSpeed)
                continue;
            sampledAt.push_back(n);
            EXPECT_EQ(L"20KB/秒", change.text) << n;
        }
        ASSERT_EQ(n, m_page[kProgress].pos);
    }
    std::vector<int> expected;
    for (int n = 10; n <= 300; n += 10)
        expected.push_back(n);
    EXPECT_EQ(expected, sampledAt);
    EXPECT_EQ(31, Calls().next);
    EXPECT_EQ(0, Calls().last);

    Tick();  // the 301st ends the sampling
    EXPECT_EQ(1, Calls().last);
    EXPECT_FALSE(m_page.TimerRunning(kSamplingTimer));
    EXPECT_TRUE(m_page.TimerRunning(kGaugeTimer));
    for (const wchar_t* shown : {kGauge, kScale})
        EXPECT_TRUE(m_page.Visible(shown)) << shown;
    for (const wchar_t* hidden : {kProgress, kGaugeBk, kStatus, kRunningSpeed, kCancelBtn})
        EXPECT_FALSE(m_page.Visible(hidden)) << hidden;
    EXPECT_EQ(20u, m_runner.Model().AverageKBps());

    // Coming back to the page starts nothing.
    EXPECT_TRUE(m_runner.PageShown(m_tick).IsEmpty());
    EXPECT_EQ(1, Calls().first);
}

TEST_F(SpeedRun, RatesTheAverageOnTheResultAndBandwidthLines) {
    struct Case {
        double perRead;  // KB per 500 ms sample
        const wchar_t* result;
        const wchar_t* band;
        int gauge;
    } cases[] = {
        {511.5, L"您当前的下载速度为1023KB/秒，玩游戏网速极快", L"您当前的网速带宽在4M和8M之间", 110},
        {512, L"您当前的下载速度为1.0MB/秒，玩游戏网速极快", L"您当前的网速带宽在8M和12M之间", 110},
        {256, L"您当前的下载速度为512KB/秒，玩游戏网速顺畅", L"您当前的网速带宽在2M和4M之间", 80},
        {256.5, L"您当前的下载速度为513KB/秒，玩游戏网速极快", L"您当前的网速带宽在4M和8M之间", 90},
        {64, L"您当前的下载速度为128KB/秒，玩游戏网速缓慢", L"您当前的网速带宽在0M和1M之间", 50},
    };
    for (const Case& c : cases) {
        CSpeedTestRunner runner(FindNettrelExports(FakeNettrel()));
        SpeedPageRecorder page;
        m_setStep(c.perRead);
        page.Apply(runner.PageShown(m_tick));
        const int gaugeTicks = FinishSpeedRun(runner, page, [this](int) { return m_tick += kSamplingPeriodMs; });
        EXPECT_EQ(c.result, page.Line(0)) << c.perRead;
        EXPECT_EQ(c.band, page.Line(1)) << c.perRead;
        EXPECT_EQ(c.gauge, page[kGauge].pos) << c.perRead;
        EXPECT_EQ(c.gauge, gaugeTicks) << "the gauge moves one step a tick";
        for (const wchar_t* figure : {kResultSpeed, kResultRating, kBandLow, kBandHigh})
            EXPECT_EQ(static_cast<int>(kFigureColor), page[figure].color) << figure;
        for (const wchar_t* joining : {kResultJoin, kBandJoin, kBandEnd})
            EXPECT_EQ(-1, page[joining].color);
        EXPECT_TRUE(page.Visible(kRestartBtn));
        EXPECT_FALSE(page.Visible(kFailureText));
        EXPECT_FALSE(page.AnyTimerRunning());
        EXPECT_EQ(1, Calls().last);
    }
}

TEST_F(SpeedRun, AnAverageOfZeroShowsTheFailureText) {
    StartFirstRun(0);
    EXPECT_EQ(1, Finish());
    EXPECT_TRUE(m_page.Visible(kFailureText));
    EXPECT_EQ(kFailureMessage, m_page[kFailureText].text);
    EXPECT_EQ(static_cast<int>(kFigureColor), m_page[kFailureText].color);
    EXPECT_TRUE(m_page.Visible(kRestartBtn));
    for (const wchar_t* hidden : {kGauge, kScale, kCancelledText, kStatus, kResultSpeed, kBand})
        EXPECT_FALSE(m_page.Visible(hidden)) << hidden;
    EXPECT_FALSE(m_page.AnyTimerRunning());
}

TEST_F(SpeedRun, CancelRetryAndRestart) {
    StartFirstRun(5);
    for (int n = 0; n < 120; ++n)
        Tick();
    EXPECT_TRUE(m_runner.Restart(m_tick).IsEmpty()) << "no restart button while sampling";
    EXPECT_TRUE(m_runner.Retry(m_tick).IsEmpty());

    EXPECT_TRUE(m_page.Apply(m_runner.Cancel()).stopTransfer);
    EXPECT_EQ(1, Calls().last);
    EXPECT_FALSE(m_page.AnyTimerRunning());
    for (const wchar_t* shown : {kFailedIcon, kCancelledText, kRetryBtn})
        EXPECT_TRUE(m_page.Visible(shown)) << shown;
    for (const wchar_t* hidden : {kProgress, kGauge, kStatus, kGaugeBk, kRunningSpeed, kCancelBtn})
        EXPECT_FALSE(m_page.Visible(hidden)) << hidden;
    EXPECT_EQ(0, m_page[kProgress].pos);
    EXPECT_TRUE(Tick().IsEmpty()) << "a sampling tick still queued does nothing";
    EXPECT_TRUE(m_runner.Restart(m_tick).IsEmpty());

    m_page.Apply(m_runner.Retry(m_tick));
    EXPECT_EQ(2, Calls().first);
    for (const wchar_t* shown : {kProgress, kStatus, kGaugeBk, kRunningSpeed, kCancelBtn})
        EXPECT_TRUE(m_page.Visible(shown)) << shown;
    for (const wchar_t* hidden : {kFailedIcon, kCancelledText, kRetryBtn})
        EXPECT_FALSE(m_page.Visible(hidden));
    EXPECT_EQ(kStatusText, m_page[kStatus].text);
    EXPECT_EQ(L"0KB/秒", m_page[kRunningSpeed].text);

    // A cancel queued behind the end of sampling cannot break into the gauge.
    while (m_page.TimerRunning(kSamplingTimer))
        Tick();
    EXPECT_TRUE(m_runner.Cancel().IsEmpty());
    Finish();
    EXPECT_EQ(L"您当前的下载速度为10KB/秒，玩游戏网速缓慢", m_page.Line(0));
    EXPECT_TRUE(m_runner.Retry(m_tick).IsEmpty());

    m_page.Apply(m_runner.Restart(m_tick));
    EXPECT_EQ(3, Calls().first);
    EXPECT_EQ(L"", m_page.Line(0));
    EXPECT_EQ(L"", m_page.Line(1));
    for (const wchar_t* hidden : {kScale, kGauge, kRestartBtn, kFailureText})
        EXPECT_FALSE(m_page.Visible(hidden));
    EXPECT_EQ(kStatusText, m_page[kStatus].text);
    EXPECT_TRUE(m_page.Visible(kStatus));
    Finish();
    EXPECT_EQ(L"您当前的网速带宽在0M和1M之间", m_page.Line(1));
    EXPECT_EQ(3, Calls().last);
}

// The model alone, fed counts and tick counts directly.
TEST(SpeedSample, MeasuresFromTheRunStartAtAnyUptime) {
    struct Case {
        uint32_t startTick;
        double baseline, count;  // KB at the start and at the first sample, 500 ms later
        const wchar_t* shown;
        uint32_t sum;
    } cases[] = {
        {1000, 0, 100, L"200KB/秒", 200},
        {3456000000u, 0, 100, L"200KB/秒", 200},         // 40 days up: ticks beyond a float's precision
        {0xFFFFFF00u, 0, 100, L"200KB/秒", 200},         // the tick count wraps within the sample
        {1000, 500, 100, L"0KB/秒", 0},                  // a count that went backwards is no download
        {1000, 0, 1e12, L"2097152.0MB/秒", UINT32_MAX},  // a leap saturates instead of wrapping
    };
    for (const Case& c : cases) {
        CSpeedTest model;
        model.PageShown();
        model.TransferStarted(c.baseline, c.startTick);
        SpeedStep step;
        for (int n = 1; n <= CSpeedTest::kSampleEvery; ++n) {
            EXPECT_EQ(n == CSpeedTest::kSampleEvery, model.NextTickSamples()) << n;
            step = model.SamplingTick(c.startTick + 50u * n, c.count);
        }
        ASSERT_FALSE(step.changes.empty());
        EXPECT_EQ(SetControlText(kRunningSpeed, c.shown), step.changes.front()) << c.startTick;
        EXPECT_EQ(c.sum, model.m_speedSum) << c.startTick;
    }
}

}  // namespace
