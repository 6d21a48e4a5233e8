// The download task against a loopback server: what it posts to its window for each outcome.
#include <gtest/gtest.h>

#include "common/md5_tools.h"
#include "common/sha256_digest.h"
#include "tests/skin/window_test_support.h"
#include "tests/support/http/test_http_server.h"
#include "tests/updater/updater_test_support.h"
#include "updater/config/updater_folders.h"
#include "updater/install/movrel_messages.h"
#include "updater/install/task_start.h"

namespace {
// A message-only window that keeps what the task posts.
class TaskWindow {
public:
    TaskWindow() : m_hwnd(CreateMessageWindow(L"TaskMovrelTestWindow", &Proc, this)) {}
    ~TaskWindow() { ::DestroyWindow(m_hwnd); }
    HWND Hwnd() const { return m_hwnd; }

    std::vector<UINT> finals;  // 3036 to 3040 in order
    int lastPercent = -1;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TaskWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_MOVREL_PROGRESS) {
            std::unique_ptr<DownloadProgress> record(reinterpret_cast<DownloadProgress*>(wParam));
            self->lastPercent = DownloadPercent(record->total, record->now);
            return 0;
        }
        if (self && message >= WM_MOVREL_FAILED && message <= WM_MOVREL_WORKER_DONE) {
            self->finals.push_back(message);
            return 0;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd;
};

PackageDigests DigestsOf(const std::string& bytes) {
    PackageDigests digests{md5_space::md5_tools::digest(bytes), ""};
    Sha256OfBytes(bytes.data(), bytes.size(), digests.sha256);
    return digests;
}
}  // namespace

TEST(TaskMovrel, PostsOneOutcomeThenEnds) {
    test_support::TestHttpServer server;
    ASSERT_TRUE(server.Start());
    ProgramRecord record;
    const std::string installer = ReadFileBytes(RecorderPath());
    ASSERT_FALSE(installer.empty());
    const std::string notProgram(5000, 'x');
    const std::string tag = std::to_string(::GetCurrentProcessId());
    // A folder where the package should go: the file cannot be written at all.
    const std::wstring blocked = TemporaryFolder() + L"blocked_" + AnsiToWide(tag) + L".exe";
    ::CreateDirectoryW(blocked.c_str(), nullptr);

    struct Case {
        const char* name;
        std::string path;
        std::string body;
        int status;
        PackageDigests digests;
        bool cancelFirst;
        UINT outcome;
        int percent;
    } cases[] = {
        {"not found", "/missing.exe", "", 404, {}, false, WM_MOVREL_FAILED, -1},
        {"empty digest", "/empty_" + tag + ".exe", notProgram, 200, {}, false, WM_MOVREL_FAILED, 90},
        {"unwritable file", "/blocked_" + tag + ".exe", notProgram, 200, DigestsOf(notProgram),
         false, WM_MOVREL_FAILED, -1},
        {"not a program", "/broken_" + tag + ".exe", notProgram, 200, DigestsOf(notProgram), false,
         WM_MOVREL_CANNOT_INSTALL, 90},
        {"cancelled", "/cancelled_" + tag + ".exe", installer, 200, DigestsOf(installer), true,
         WM_MOVREL_END, -1},
        {"installed", "/setup_" + tag + ".exe", installer, 200, DigestsOf(installer), false,
         WM_MOVREL_INSTALLED, 90},
    };
    for (const Case& c : cases) {
        test_support::TestResponse response;
        response.status = c.status;
        response.body = c.body;
        server.Route(c.path, response);
        TaskWindow window;
        auto cancel = std::make_shared<std::atomic<long>>(c.cancelFirst ? 1 : 0);
        AutoHandle worker = StartTaskMovrel(window.Hwnd(), cancel, server.Url(c.path), c.digests, nullptr);
        ASSERT_TRUE(worker) << c.name;
        EXPECT_TRUE(
            PumpUntil([&] { return !window.finals.empty() && window.finals.back() == WM_MOVREL_WORKER_DONE; }, 20000))
            << c.name;
        EXPECT_EQ((std::vector<UINT>{c.outcome, WM_MOVREL_WORKER_DONE}), window.finals) << c.name;
        EXPECT_EQ(c.percent, window.lastPercent) << c.name;
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(worker.Get(), 5000)) << c.name;
        if (c.outcome != WM_MOVREL_FAILED || c.status != 200 || c.path.find("blocked") != std::string::npos)
            continue;
        ::DeleteFileW((TemporaryFolder() + AnsiToWide(c.path.substr(1))).c_str());
    }
    // Only the verified program ran, once.
    const std::string expected = "setup_" + tag + ".exe|";
    EXPECT_EQ(std::vector<std::string>{expected}, record.Lines());
    ::RemoveDirectoryW(blocked.c_str());
}
