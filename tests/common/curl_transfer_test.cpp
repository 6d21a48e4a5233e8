#include "common/curl_transfer.h"

#include "tests/common/temp_folder.h"
#include "tests/support/http/test_http_server.h"

#include <gtest/gtest.h>

#include <functional>

using namespace curl_space;
using test_support::TestHttpServer;
using test_support::TestResponse;

namespace {

class CurlTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }

    void Serve(const std::string& path, int status, const std::string& body) {
        TestResponse response;
        response.status = status;
        response.body = body;
        if (status == 302) response.location = m_server.Url("/elsewhere");
        m_server.Route(path, response);
        m_server.Route("/elsewhere", TestResponse{200, "moved body"});
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const auto& request : m_server.Requests()) paths.push_back(request.path);
        return paths;
    }

    TestHttpServer m_server;
    TempFolder m_folder;
};

struct Recorder final : progress_callback_interface2 {
    std::function<int(double, double)> decide;
    int calls = 0;
    double lastNow = 0, lastTotal = 0;
    int progress(double dltotal, double dlnow, double, double) override {
        ++calls;
        lastTotal = dltotal, lastNow = dlnow;
        return decide ? decide(dltotal, dlnow) : 0;
    }
};

DWORD MillisecondsOf(const std::function<void()>& run) {
    const DWORD start = ::GetTickCount();
    run();
    return ::GetTickCount() - start;
}

}  // namespace

TEST_F(CurlTransfer, SimpleRequestSendsConnectionCloseAndNeeds200) {
    Serve("/stat", 200, "ignored");
    Serve("/missing", 404, "nothing");
    CurlRequestScope first;
    EXPECT_TRUE(SimpleRequest(first.Handle(), m_server.Url("/stat?a=1&b=2")));
    CurlRequestScope second;
    EXPECT_FALSE(SimpleRequest(second.Handle(), m_server.Url("/missing")));

    const auto requests = m_server.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ("GET", requests[0].method);
    EXPECT_EQ("/stat", requests[0].path);
    EXPECT_EQ("a=1&b=2", requests[0].query);
    EXPECT_NE(std::string::npos, requests[0].headers.find("Connection: close\r\n")) << requests[0].headers;
}

TEST_F(CurlTransfer, DownloadsWriteTheBodyOn200) {
    Serve("/manifest.xml", 200, "<xml>body</xml>");
    {
        CurlRequestScope request;
        EXPECT_TRUE(DownloadToFile(request.Handle(), m_server.Url("/manifest.xml?uuid=x"), m_folder.Path(L"a.xml")));
    }
    EXPECT_EQ("<xml>body</xml>", m_folder.Read(L"a.xml"));

    Recorder progress;
    CURLcode code = CURLE_FAILED_INIT;
    {
        CurlRequestScope request;
        EXPECT_TRUE(DownloadWithProgress(request.Handle(), m_server.Url("/manifest.xml"), m_folder.Path(L"b.xml"),
                                         &progress, &code));
    }
    EXPECT_EQ(CURLE_OK, code);
    EXPECT_EQ("<xml>body</xml>", m_folder.Read(L"b.xml"));
    EXPECT_GT(progress.calls, 0);
    EXPECT_EQ(15.0, progress.lastNow);

    const auto requests = m_server.Requests();
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ("uuid=x", requests[0].query);
    EXPECT_EQ("/manifest.xml", requests[1].path);
}

TEST_F(CurlTransfer, LargeBodyArrivesWholeWithoutProgressObject) {
    TestResponse large;
    large.generatedSize = 5 * 1024 * 1024 + 123;
    m_server.Route("/big.exe", large);
    CURLcode code = CURLE_FAILED_INIT;
    {
        CurlRequestScope request;
        EXPECT_TRUE(DownloadWithProgress(request.Handle(), m_server.Url("/big.exe"), m_folder.Path(L"big.exe"),
                                         nullptr, &code));
    }
    EXPECT_EQ(CURLE_OK, code);
    const std::string body = m_folder.Read(L"big.exe");
    ASSERT_EQ(large.generatedSize, body.size());
    for (uint64_t i = 0; i < body.size(); i += 4099) ASSERT_EQ(test_support::PatternByte(i), body[i]) << i;
}

TEST_F(CurlTransfer, ABodyBeyondTheLimitStopsTheDownloadWithinTheLimit) {
    const size_t limit = 1 << 20;
    for (uint64_t size : {uint64_t(limit), uint64_t(limit) + 1, uint64_t(300) << 20}) {
        TestResponse response;
        response.generatedSize = size;
        m_server.Route("/big.xml", response);
        CurlRequestScope request;
        EXPECT_EQ(size <= limit, DownloadToFile(request.Handle(), m_server.Url("/big.xml"), m_folder.Path(L"m"), limit))
            << size;
        EXPECT_LE(m_folder.Read(L"m").size(), limit) << size;
    }
}

TEST_F(CurlTransfer, RedirectIsNotFollowedAndFailsEveryOperation) {
    Serve("/moved", 302, "see elsewhere");
    CurlRequestScope simple;
    EXPECT_FALSE(SimpleRequest(simple.Handle(), m_server.Url("/moved")));
    CurlRequestScope toFile;
    EXPECT_FALSE(DownloadToFile(toFile.Handle(), m_server.Url("/moved"), m_folder.Path(L"a")));
    CurlRequestScope withProgress;
    CURLcode code = CURLE_FAILED_INIT;
    EXPECT_FALSE(DownloadWithProgress(withProgress.Handle(), m_server.Url("/moved"), m_folder.Path(L"b"), nullptr, &code));
    EXPECT_EQ(CURLE_OK, code) << "the transfer itself completed";
    EXPECT_EQ((std::vector<std::string>{"/moved", "/moved", "/moved"}), Paths());
}

TEST_F(CurlTransfer, NotFoundLeavesTheWrittenBodyOnDisk) {
    Serve("/gone", 404, "error page");
    CurlRequestScope request;
    EXPECT_FALSE(DownloadToFile(request.Handle(), m_server.Url("/gone"), m_folder.Path(L"page")));
    EXPECT_EQ("error page", m_folder.Read(L"page"));
}

TEST_F(CurlTransfer, CancelOnFirstProgressCallGivesCode42AndAShortFile) {
    TestResponse large;
    large.generatedSize = 64 * 1024 * 1024;
    m_server.Route("/pkg.exe", large);
    Recorder cancel;
    cancel.decide = [](double, double) { return 1; };
    CURLcode code = CURLE_OK;
    CurlRequestScope request;
    EXPECT_FALSE(DownloadWithProgress(request.Handle(), m_server.Url("/pkg.exe"), m_folder.Path(L"pkg.exe"), &cancel,
                                      &code));
    EXPECT_EQ(CURLE_ABORTED_BY_CALLBACK, code);
    EXPECT_EQ(42, static_cast<int>(code));
    EXPECT_EQ(1, cancel.calls);
    EXPECT_TRUE(m_folder.Exists(L"pkg.exe"));
    EXPECT_LT(m_folder.Read(L"pkg.exe").size(), large.generatedSize);
}

TEST_F(CurlTransfer, CancelEndsADownloadThatStalls) {
    TestResponse stall;
    stall.generatedSize = 1000;
    stall.fault = TestResponse::Fault::StallInBody;
    stall.faultAfter = 100;
    m_server.Route("/pkg.exe", stall);
    Recorder cancelAfterData;
    cancelAfterData.decide = [](double, double now) { return now >= 100 ? 1 : 0; };
    CURLcode code = CURLE_OK;
    CurlRequestScope request;
    EXPECT_FALSE(DownloadWithProgress(request.Handle(), m_server.Url("/pkg.exe"), m_folder.Path(L"pkg.exe"),
                                      &cancelAfterData, &code));
    EXPECT_EQ(CURLE_ABORTED_BY_CALLBACK, code);
    EXPECT_EQ(100u, m_folder.Read(L"pkg.exe").size());
}

TEST_F(CurlTransfer, StalledServerFailsWithinTheTimeOuts) {
    TestResponse stall;
    stall.fault = TestResponse::Fault::StallBeforeHeaders;
    m_server.Route("/slow", stall);

    CurlRequestScope simple;
    DWORD simpleMs = MillisecondsOf([&] { EXPECT_FALSE(SimpleRequest(simple.Handle(), m_server.Url("/slow"))); });
    EXPECT_GE(simpleMs, 7000u);  // its own 8 s total time-out, not an earlier failure
    EXPECT_LT(simpleMs, 30000u);

    // A download to file keeps the total time-out set before it.
    CurlRequestScope toFile;
    ASSERT_TRUE(SetTotalTimeout(toFile.Handle(), 2));
    DWORD fileMs = MillisecondsOf(
        [&] { EXPECT_FALSE(DownloadToFile(toFile.Handle(), m_server.Url("/slow"), m_folder.Path(L"slow"))); });
    EXPECT_LT(fileMs, 20000u);
    EXPECT_EQ(2u, m_server.Requests().size());
}

TEST_F(CurlTransfer, BodyCutShortFails) {
    TestResponse cut;
    cut.body = std::string(5000, 'x');
    cut.fault = TestResponse::Fault::CutShort;
    cut.faultAfter = 1000;
    m_server.Route("/cut", cut);
    CurlRequestScope toFile;
    EXPECT_FALSE(DownloadToFile(toFile.Handle(), m_server.Url("/cut"), m_folder.Path(L"a")));
    EXPECT_EQ(std::string(1000, 'x'), m_folder.Read(L"a"));
    CURLcode code = CURLE_OK;
    CurlRequestScope withProgress;
    EXPECT_FALSE(DownloadWithProgress(withProgress.Handle(), m_server.Url("/cut"), m_folder.Path(L"b"), nullptr, &code));
    EXPECT_EQ(CURLE_PARTIAL_FILE, code);
}

// A local file that cannot be created fails both downloads before anything is sent. One that the disk
// cannot take fails them too, although most of the body only reaches the disk when the file is closed:
// Wine maps Z: to the Unix root, where /dev/full opens and refuses every write.
TEST_F(CurlTransfer, LocalFileProblemsFailBothDownloads) {
    TestResponse body;
    body.generatedSize = 1024 * 1024;
    m_server.Route("/file", body);
    const struct {
        std::wstring path;
        size_t requests;
    } cases[] = {{m_folder.Path(L"no\\such\\folder\\file"), 0}, {L"Z:\\dev\\full", 2}};
    for (const auto& c : cases) {
        FILE* probe = _wfopen(c.path.c_str(), L"ab");
        if (c.requests && !probe) continue;  // no full device on this system
        if (probe) std::fclose(probe);
        const size_t before = m_server.Requests().size();
        CurlRequestScope toFile;
        EXPECT_FALSE(DownloadToFile(toFile.Handle(), m_server.Url("/file"), c.path));
        CurlRequestScope withProgress;
        CURLcode code = CURLE_OK;
        EXPECT_FALSE(DownloadWithProgress(withProgress.Handle(), m_server.Url("/file"), c.path, nullptr, &code));
        EXPECT_EQ(CURLE_WRITE_ERROR, code) << "not to be taken for a cancel or a success";
        EXPECT_EQ(before + c.requests, m_server.Requests().size());
    }
}

TEST_F(CurlTransfer, ProxyCarriesTheRequest) {
    // The test server plays the proxy: it sees the absolute URL of a host that does not exist.
    Serve("/through", 200, "via proxy");
    CurlRequestScope request;
    ASSERT_TRUE(ApplyProxy(request.Handle(), CURLPROXY_HTTP, "127.0.0.1", std::to_string(m_server.Port()), "", ""));
    EXPECT_TRUE(DownloadToFile(request.Handle(), "http://service.invalid/through?q=1", m_folder.Path(L"p")));
    EXPECT_EQ("via proxy", m_folder.Read(L"p"));
    const auto requests = m_server.Requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("http://service.invalid/through?q=1", requests[0].target);
}

TEST_F(CurlTransfer, ProxyWithoutPortIsRefusedAndTheRequestGoesDirect) {
    Serve("/direct", 200, "direct");
    CurlRequestScope request;
    EXPECT_FALSE(ApplyProxy(request.Handle(), CURLPROXY_HTTP, "10.255.255.1", ""));
    EXPECT_FALSE(ApplyProxy(request.Handle(), CURLPROXY_HTTP, "", "8080"));
    EXPECT_TRUE(DownloadToFile(request.Handle(), m_server.Url("/direct"), m_folder.Path(L"d")));
    ASSERT_EQ(1u, m_server.Requests().size());
    EXPECT_EQ("/direct", m_server.Requests()[0].target);
}

TEST(CurlTransferNoHandle, EveryOperationFailsQuietly) {
    EXPECT_FALSE(SetConnectTimeout(nullptr, 1));
    EXPECT_FALSE(SetTotalTimeout(nullptr, 1));
    EXPECT_FALSE(ApplyProxy(nullptr, CURLPROXY_HTTP, "h", "1"));
    EXPECT_FALSE(SimpleRequest(nullptr, "http://127.0.0.1:9/"));
    CURLcode code = CURLE_OK;
    EXPECT_FALSE(DownloadWithProgress(nullptr, "http://127.0.0.1:9/", L"x", nullptr, &code));
}
