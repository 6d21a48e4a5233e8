// Our Nettrel.dll against the loopback test server: a copy of the library sits in a folder of its own
// with a "service_hosts.ini" that points its speed-test address at the server.
#include <gtest/gtest.h>

#include "common/service_hosts.h"
#include "common/text_encoding.h"
#include "tests/common/temp_folder.h"
#include "tests/optimizer/tools/speed_test/speed_page_recorder.h"
#include "tests/support/built_file.h"
#include "tests/support/http/test_http_server.h"

#include <cstdio>
#include <string>

using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

class NettrelLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_folder = new TempFolder;
        s_server = new TestHttpServer;
        if (!s_server->Start())
            return;
        WriteHosts("speedtest=" + s_server->Url(""));
        const std::wstring copy = s_folder->Path(L"Nettrel.dll");
        if (::CopyFileW(BuiltFilePath(SORVIK_NETTREL_PATH).c_str(), copy.c_str(), FALSE))
            s_module = ::LoadLibraryW(copy.c_str());
        s_nettrel = FindNettrelExports(s_module);
    }
    static void TearDownTestSuite() {
        if (s_nettrel.last)
            s_nettrel.last();
        // Safe once the last run is released: the library holds no thread of its own any more.
        if (s_module)
            ::FreeLibrary(s_module);
        delete s_server;
        delete s_folder;
    }
    static void WriteHosts(const std::string& line) {
        s_folder->Write(L"service_hosts.ini", "[hosts]\r\n" + line + "\r\n");
    }

    void SetUp() override {
        ASSERT_NE(nullptr, s_module);
        ASSERT_TRUE(s_nettrel.Complete());
    }
    void TearDown() override {
        s_nettrel.last();
        WriteHosts("speedtest=" + s_server->Url(""));
    }

    static void Route(const TestResponse& response) { s_server->Route(kSpeedTestPayloadPath, response); }
    static size_t PayloadRequests() {
        size_t count = 0;
        for (const auto& request : s_server->Requests())
            count += request.path == kSpeedTestPayloadPath;
        return count;
    }
    // Pumps nothing: the library works on its own thread. Bounded, in short steps.
    template <typename Condition>
    static bool WaitFor(Condition condition, DWORD limitMs = 5000) {
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < limitMs; ::Sleep(10))
            if (condition())
                return true;
        return condition();
    }

    static TempFolder* s_folder;
    static TestHttpServer* s_server;
    static HMODULE s_module;
    static NettrelExports s_nettrel;
};

TempFolder* NettrelLibrary::s_folder = nullptr;
TestHttpServer* NettrelLibrary::s_server = nullptr;
HMODULE NettrelLibrary::s_module = nullptr;
NettrelExports NettrelLibrary::s_nettrel;

TEST_F(NettrelLibrary, ASpeedTestOverALoopbackDownloadShowsASpeed) {
    TestResponse payload;
    payload.generatedSize = 1ull << 30;
    payload.fill = 'x';
    Route(payload);
    CSpeedTestRunner runner(s_nettrel);
    SpeedPageRecorder page;
    page.Apply(runner.PageShown(::GetTickCount()));
    // Sampling ticks a few milliseconds apart: a short run, with real time and real kilobytes.
    FinishSpeedRun(runner, page, [](int) {
        ::Sleep(3);
        return static_cast<uint32_t>(::GetTickCount());
    });
    const uint32_t average = runner.Model().AverageKBps();
    std::printf("loopback speed test: average %u KB/s, shown as \"%s\"\n", average, WideToUtf8(page.Line(0)).c_str());
    EXPECT_GT(average, 0u);
    EXPECT_FALSE(page.Visible(speed_page::kFailureText));
    EXPECT_NE(L"", page.Line(0));
    EXPECT_EQ(0.0, s_nettrel.next()) << "the run was released";
}

TEST_F(NettrelLibrary, FetchesAShortPayloadAgainForTheWholeRun) {
    TestResponse payload;
    payload.generatedSize = 64 * 1024;
    Route(payload);
    EXPECT_EQ(1, s_nettrel.first());
    EXPECT_TRUE(WaitFor([] { return s_nettrel.next() >= 3 * 64.0; }));
    EXPECT_GE(PayloadRequests(), 3u);
    s_nettrel.last();
    ::Sleep(100);  // a request sent just before last may still be on its way to the server
    const size_t requests = PayloadRequests();
    ::Sleep(200);
    EXPECT_EQ(requests, PayloadRequests()) << "nothing is fetched after last";
    const auto headers = s_server->Requests().back().headers;
    EXPECT_NE(std::string::npos, headers.find("Cache-Control: no-cache"));
}

TEST_F(NettrelLibrary, StopsAtOnceWhileTheServerStalls) {
    for (const auto fault : {TestResponse::Fault::StallBeforeHeaders, TestResponse::Fault::StallInBody}) {
        TestResponse payload;
        payload.generatedSize = 1 << 20;
        payload.fault = fault;
        payload.faultAfter = 64 * 1024;
        Route(payload);
        const size_t before = PayloadRequests();
        EXPECT_EQ(1, s_nettrel.first());
        ASSERT_TRUE(WaitFor([before] { return PayloadRequests() > before; }));
        if (fault == TestResponse::Fault::StallInBody) {
            ASSERT_TRUE(WaitFor([] { return s_nettrel.next() >= 64.0; }));
        }
        ::Sleep(300);  // well into the stall
        const DWORD start = ::GetTickCount();
        s_nettrel.last();
        const DWORD took = ::GetTickCount() - start;
        // The stall lasts two minutes; anything near a second would already freeze the window.
        EXPECT_LT(took, 1000u) << static_cast<int>(fault);
        EXPECT_EQ(0.0, s_nettrel.next());
    }
}

TEST_F(NettrelLibrary, FollowsUpToFiveHttpRedirects) {
    const struct {
        int hops;
        bool otherScheme;  // the last hop leads to ftp://
        bool counts;
    } cases[] = {{1, false, true}, {5, false, true}, {6, false, false}, {1, true, false}};
    TestResponse payload;
    payload.generatedSize = 64 * 1024;
    s_server->Route("/mirror/payload", payload);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hops << " hops" << (c.otherScheme ? " to ftp" : ""));
        for (int hop = 0; hop < c.hops; ++hop) {
            TestResponse redirect;
            redirect.status = 302;
            const bool last = hop + 1 == c.hops;
            const std::string next = last ? "/mirror/payload" : "/hop/" + std::to_string(hop + 1);
            redirect.location = last && c.otherScheme ? "ftp://127.0.0.1:" + std::to_string(s_server->Port()) + next
                                                      : s_server->Url(next);
            hop == 0 ? Route(redirect) : s_server->Route("/hop/" + std::to_string(hop), redirect);
        }
        const size_t before = s_server->Requests().size();
        EXPECT_EQ(1, s_nettrel.first());
        // Every hop is asked for once (at most the five that are followed), then the payload or nothing.
        const size_t asked = c.hops > 5 ? 6 : c.hops;
        ASSERT_TRUE(WaitFor([&] { return s_server->Requests().size() >= before + asked; }));
        if (c.counts) {
            EXPECT_TRUE(WaitFor([] { return s_nettrel.next() >= 64.0; }));
        } else {
            ::Sleep(300);
            EXPECT_EQ(0.0, s_nettrel.next());
            EXPECT_EQ(before + asked, s_server->Requests().size()) << "a failed fetch is not repeated";
        }
        s_nettrel.last();
    }
}

TEST_F(NettrelLibrary, CountsNothingWithoutAPayload) {
    TestResponse missing;
    missing.status = 404;
    missing.body = std::string(100000, 'e');  // an error page is no payload, however long
    Route(missing);
    const size_t before = PayloadRequests();
    EXPECT_EQ(1, s_nettrel.first());
    ASSERT_TRUE(WaitFor([before] { return PayloadRequests() > before; }));
    ::Sleep(200);
    EXPECT_EQ(0.0, s_nettrel.next());
    EXPECT_EQ(before + 1, PayloadRequests()) << "a failed fetch is not repeated";
    s_nettrel.last();

    for (const char* line : {"", "speedtest=", "speedtest=ftp://127.0.0.1:1"}) {
        WriteHosts(line);
        s_nettrel.first();
        ::Sleep(100);
        EXPECT_EQ(0.0, s_nettrel.next()) << line;
        s_nettrel.last();
    }
    // last twice, and without a first
    EXPECT_EQ(1, s_nettrel.last());
    EXPECT_EQ(0.0, s_nettrel.next());
}

}  // namespace
