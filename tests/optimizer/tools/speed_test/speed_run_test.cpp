// Whole runs through the same three exports the main window loads, from a stand-in Nettrel whose
// count grows by a set number of kilobytes per read: samples 500 ms apart give twice that in KB/s.
#include <gtest/gtest.h>

#include "tests/optimizer/tools/speed_test/speed_page_recorder.h"
#include "tests/support/fake_nettrel/fake_nettrel_module.h"

using namespace speed_page;

namespace {

void ExpectShown(SpeedPageRecorder& page, std::initializer_list<const wchar_t*> names, bool shown) {
    for (const wchar_t* name : names)
        EXPECT_EQ(shown, page.Visible(name)) << name;
}

class SpeedRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FindNettrelExports(FakeNettrel()).Complete());
        ASSERT_TRUE(m_setStep && m_calls);
    }
    void StartFirstRun(double kilobytesPerRead) {
        m_setStep(kilobytesPerRead);
        EXPECT_TRUE(m_page.Apply(m_runner.PageShown(m_tick)).buildPage);
    }
    int Finish() {
        return FinishSpeedRun(m_runner, m_page, [this](int) { return m_tick += kSamplingPeriodMs; });
    }
    SpeedStep Tick() { return m_page.Apply(m_runner.SamplingTimer(m_tick += kSamplingPeriodMs)); }

    FakeNettrelSetStepFn m_setStep = FakeNettrelExport<FakeNettrelSetStepFn>(kFakeNettrelSetStep);
    FakeNettrelCallsFn m_calls = FakeNettrelExport<FakeNettrelCallsFn>(kFakeNettrelCalls);
    CSpeedTestRunner m_runner{FindNettrelExports(FakeNettrel())};
    SpeedPageRecorder m_page;
    uint32_t m_tick = 123456;
};

TEST_F(SpeedRun, TakesThirtySamplesAtTicksTenToThreeHundred) {
    StartFirstRun(10);
    EXPECT_EQ(1, m_calls().next);  // the baseline
    std::vector<int> sampledAt, expected;
    for (int n = 1; n <= kProgressMax; ++n) {
        for (const ControlChange& change : Tick().changes) {
            if (change.name != kRunningSpeed)
                continue;
            sampledAt.push_back(n);
            EXPECT_EQ(L"20KB/秒", change.text);
        }
        ASSERT_EQ(n, m_page[kProgress].pos);
    }
    for (int n = 10; n <= 300; n += 10)
        expected.push_back(n);
    EXPECT_EQ(expected, sampledAt);
    EXPECT_EQ(31, m_calls().next);
    EXPECT_EQ(0, m_calls().last);

    Tick();  // the 301st ends the sampling and stops the download
    EXPECT_EQ(1, m_calls().last);
    EXPECT_FALSE(m_page.TimerRunning(kSamplingTimer));
    EXPECT_TRUE(m_page.TimerRunning(kGaugeTimer));
    ExpectShown(m_page, {kGauge, kScale}, true);
    ExpectShown(m_page, {kProgress, kGaugeBk, kStatus, kRunningSpeed, kCancelBtn}, false);

    EXPECT_TRUE(m_runner.PageShown(m_tick).IsEmpty()) << "coming back to the page starts nothing";
    EXPECT_EQ(1, m_calls().first);
}

TEST_F(SpeedRun, RatesTheAverageWithInclusiveBounds) {
    struct Case {
        uint32_t average;  // KB/s
        const wchar_t *speed, *rating;
        int low, high, gauge;
    } cases[] = {
        {128, L"128KB/秒", L"缓慢", 0, 1, 50},                                             // 1024 kbit/s
        {129, L"129KB/秒", L"一般", 1, 2, 50},     {256, L"256KB/秒", L"一般", 1, 2, 60},  // 2048 kbit/s
        {257, L"257KB/秒", L"顺畅", 2, 4, 60},     {512, L"512KB/秒", L"顺畅", 2, 4, 80},  // 4096 kbit/s
        {513, L"513KB/秒", L"极快", 4, 8, 90},  // the gauge jumps past 4096 kbit/s
        {1023, L"1023KB/秒", L"极快", 4, 8, 110},  {1024, L"1.0MB/秒", L"极快", 8, 12, 110},  // 8192 kbit/s
        {1536, L"1.5MB/秒", L"极快", 12, 16, 110}, {2048, L"2.0MB/秒", L"极快", 16, 20, 110},
    };
    for (const Case& c : cases) {
        CSpeedTestRunner runner(FindNettrelExports(FakeNettrel()));
        SpeedPageRecorder page;
        m_setStep(c.average / 2.0);
        page.Apply(runner.PageShown(m_tick));
        const int gaugeTicks = FinishSpeedRun(runner, page, [this](int) { return m_tick += kSamplingPeriodMs; });
        EXPECT_EQ(std::wstring(kResultLead) + c.speed + kResultMiddle + c.rating, page.Line(0));
        EXPECT_EQ(std::wstring(kBandLead) + std::to_wstring(c.low) + L"M和" + std::to_wstring(c.high) + L"M之间",
                  page.Line(1));
        EXPECT_EQ(c.gauge, page[kGauge].pos) << c.average;
        EXPECT_EQ(c.gauge, gaugeTicks) << "one gauge step a tick";
        for (const wchar_t* figure : {kResultSpeed, kResultRating, kBandLow, kBandHigh})
            EXPECT_EQ(static_cast<int>(kFigureColor), page[figure].color) << figure;
        EXPECT_EQ(-1, page[kResultJoin].color) << "joining words keep their line's colour";
        ExpectShown(page, {kRestartBtn}, true);
        EXPECT_FALSE(page.AnyTimerRunning());
    }
}

TEST_F(SpeedRun, AnAverageOfZeroShowsTheFailureText) {
    StartFirstRun(0);
    EXPECT_EQ(1, Finish());
    EXPECT_EQ(kFailureMessage, m_page[kFailureText].text);
    EXPECT_EQ(static_cast<int>(kFigureColor), m_page[kFailureText].color);
    ExpectShown(m_page, {kFailureText, kRestartBtn}, true);
    ExpectShown(m_page, {kGauge, kScale, kCancelledText, kStatus, kResultSpeed, kBand}, false);
}

TEST_F(SpeedRun, CancelRetryAndRestart) {
    StartFirstRun(5);
    for (int n = 0; n < 120; ++n)
        Tick();
    EXPECT_TRUE(m_runner.Restart(m_tick).IsEmpty() && m_runner.Retry(m_tick).IsEmpty()) << "not while sampling";

    m_page.Apply(m_runner.Cancel());
    EXPECT_EQ(1, m_calls().last);
    EXPECT_FALSE(m_page.AnyTimerRunning());
    ExpectShown(m_page, {kFailedIcon, kCancelledText, kRetryBtn}, true);
    ExpectShown(m_page, {kProgress, kGauge, kStatus, kGaugeBk, kRunningSpeed, kCancelBtn}, false);
    EXPECT_TRUE(Tick().IsEmpty()) << "a sampling tick still queued does nothing";

    m_page.Apply(m_runner.Retry(m_tick));
    EXPECT_EQ(2, m_calls().first);
    ExpectShown(m_page, {kProgress, kStatus, kGaugeBk, kRunningSpeed, kCancelBtn}, true);
    ExpectShown(m_page, {kFailedIcon, kCancelledText, kRetryBtn}, false);
    EXPECT_EQ(kStatusText, m_page[kStatus].text);
    EXPECT_EQ(L"0KB/秒", m_page[kRunningSpeed].text);
    EXPECT_EQ(0, m_page[kProgress].pos);

    while (m_page.TimerRunning(kSamplingTimer))
        Tick();
    EXPECT_TRUE(m_runner.Cancel().IsEmpty()) << "a cancel queued behind the sampling cannot break into the gauge";
    Finish();
    EXPECT_EQ(L"您当前的下载速度为10KB/秒，玩游戏网速缓慢", m_page.Line(0));

    m_page.Apply(m_runner.Restart(m_tick));
    EXPECT_EQ(3, m_calls().first);
    EXPECT_EQ(L"", m_page.Line(0) + m_page.Line(1));
    ExpectShown(m_page, {kScale, kGauge, kRestartBtn}, false);
    EXPECT_EQ(kStatusText, m_page[kStatus].text);
    Finish();
    EXPECT_EQ(L"您当前的网速带宽在0M和1M之间", m_page.Line(1));
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
