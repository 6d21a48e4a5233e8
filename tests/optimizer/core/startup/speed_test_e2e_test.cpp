// The real Sorvik.exe and its real Nettrel.dll measuring a loopback server that streams the speed-test
// payload: the network page ends its run with a result, not the failure text. What the page shows is
// read from the screen, at the places the product's skin gives its texts; pictures of the run, the
// result and the failure page are left in "screenshots".
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "common/service_hosts.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "skin/files/gdiplus_session.h"
#include "tests/optimizer/core/startup/product_copy.h"
#include "tests/optimizer/core/startup/screenshot.h"
#include "tests/support/http/test_http_server.h"

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

constexpr int kWindowX = 200, kWindowY = 120;

// The screen band of one line of the network page: from the text's skin position, one line high.
RECT LineBand(const std::wstring& skinIni, const wchar_t* section) {
    wchar_t rect[64] = {};
    ::GetPrivateProfileStringW(section, L"rect", L"0,0", rect, 64, skinIni.c_str());
    const int size = static_cast<int>(::GetPrivateProfileIntW(section, L"FontSize", 12, skinIni.c_str()));
    int x = 0, y = 0;
    std::swscanf(rect, L"%d,%d", &x, &y);
    return {kWindowX + x, kWindowY + y, kWindowX + x + 360, kWindowY + y + size + 2};
}

}  // namespace

TEST(SorvikSpeedTest, ARunAgainstALoopbackServerShowsANonZeroSpeed) {
    ScopedGdiplus gdiplus;
    TestHttpServer server;
    ASSERT_TRUE(server.Start());
    TestResponse payload;
    payload.generatedSize = 256ull << 20;  // more than a run takes at this pace
    payload.fill = 'x';
    payload.bytesPerSecond = 4 << 20;  // a broadband line, not the whole machine's loopback
    server.Route(kSpeedTestPayloadPath, payload);
    ProductCopy copy;
    ASSERT_TRUE(copy.Complete());
    copy.PointServicesAt("http://127.0.0.1:1", server.Url(""));
    const std::wstring skinIni = copy.Folder() + L"Sk_sv\\varniosorvik.ini";
    const RECT resultLine = LineBand(skinIni, L"TestNetWorkSpeedStatic");
    const RECT bandLine = LineBand(skinIni, L"BandWidth");

    AutoHandle sorvik = copy.Start();
    ASSERT_TRUE(sorvik);
    HWND window = WaitForMainWindow(::GetProcessId(sorvik.Get()));
    ASSERT_NE(nullptr, window);
    ::SetWindowPos(window, nullptr, kWindowX, kWindowY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::PostMessageW(window, WM_COMMAND, kCmdTrayRepair, 0);  // to the network page: its first visit starts a run
    ::Sleep(4000);
    EXPECT_TRUE(SaveScreenshot(L"page1_speed_test_running"));
    EXPECT_EQ(0, RedScreenPixels(bandLine)) << "no result while sampling";

    // 300 ticks of 50 ms, then the gauge: the band figures show in red only with a non-zero average.
    EXPECT_TRUE(WaitUntil([&] { return RedScreenPixels(bandLine) > 0; }, 45000)) << "the result with its band";
    ::Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"page1_speed_test_result"));
    bool fetched = false;
    for (const auto& request : server.Requests())
        fetched |= request.path == kSpeedTestPayloadPath;
    EXPECT_TRUE(fetched);

    // The same page with nothing received: the failure text in red where the result line was.
    TestResponse missing;
    missing.status = 404;
    server.Route(kSpeedTestPayloadPath, missing);
    ::PostMessageW(window, WM_COMMAND, kCmdSpeedRestart, 0);
    for (int n = 0; n < 310; ++n)  // the sampling ticks at once
        ::PostMessageW(window, WM_TIMER, kTimerSpeedSampling, 0);
    EXPECT_TRUE(WaitUntil([&] { return RedScreenPixels(resultLine) > 0 && RedScreenPixels(bandLine) == 0; }, 10000));
    ::Sleep(300);
    EXPECT_TRUE(SaveScreenshot(L"page1_speed_test_failed"));

    ::PostMessageW(window, WM_COMMAND, kCmdTrayQuit, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(sorvik.Get(), 30000));
    ::TerminateProcess(sorvik.Get(), 9);
}
