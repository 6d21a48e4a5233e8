// Tavisk.exe end to end: started like its launcher starts it, against a loopback update server, with
// stand-ins for the product's main program, the installer and the launcher. The tests look only at what
// a user and the server see: windows by their titles, buttons pressed by their commands, the requests,
// the programs that ran, the settings file and the exit code.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/handles.h"
#include "common/md5_tools.h"
#include "tests/common/registry_sandbox.h"
#include "tests/support/http/test_http_server.h"
#include "tests/support/updater/update_signer.h"
#include "tests/updater/updater_test_support.h"
#include "updater/check/throttle.h"
#include "updater/config/updater_folders.h"

namespace {
constexpr DWORD kEndedByDialog = static_cast<DWORD>(-1);

std::string Utf8(const wchar_t* text) {
    return WideToUtf8(text);
}

class TaviskTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start());
        ::CreateDirectoryW(Config().c_str(), nullptr);
        ::DeleteFileW((Config() + L"varnio_movrel.ini").c_str());
        sandbox.Set("version", "1.1.06.05");
        sandbox.Set("path", WideToAnsi(install.Path(L"").substr(0, install.Path(L"").size() - 1)));
        ::CopyFileW(RecorderPath().c_str(), install.Path(L"Sorvik.exe").c_str(), FALSE);
        const std::string tag = std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++s_runs);
        const std::string entries[][2] = {
            {"IDS_UPDATE_NETXML_URL", server.Url("/update/manifest.xml")},
            {"IDS_UPDATE_LOCALXML_FILENAME", "tavisk_e2e_" + tag + ".xml"},
            {"IDS_REG_KEY", "HKEY_CURRENT_USER\\" + sandbox.SubKey()},
            {"IDS_REG_VAR", "path"},
            {"IDS_MTX", "TaviskE2E_" + tag},
            {"IDS_OFFICIAL_URL", "http://127.0.0.1:9/"},
            {"IDS_UPDATE_APP_SHOWNAME", Utf8(L"瓦尼奥")},
            {"IDS_UPDATE_APP_NAME", "Sorvik.exe"},
        };
        std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n";
        for (const auto& e : entries)
            xml += "  <item id=\"" + e[0] + "\">" + e[1] + "</item>\n";
        ASSERT_TRUE(WriteFileBytes(Config() + L"update_config.xml", xml + "</config>\n"));
    }
    void TearDown() override {
        EndRunning();
        for (PROCESS_INFORMATION& p : processes) {
            ::CloseHandle(p.hProcess);
            ::CloseHandle(p.hThread);
        }
    }

    // Ends the started processes that still run, so the next run starts afresh.
    void EndRunning() {
        for (PROCESS_INFORMATION& p : processes) {
            if (::WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(p.hProcess, 1);
        }
    }

    static std::wstring Config() { return TestProgramFolder() + L"config\\"; }
    // A manifest offering `version` of the package under /pkg/Sorvik_setup.exe; `signing` is the text of
    // the attributes that make it trusted.
    std::string Manifest(const std::string& version, const std::string& condition, const std::string& digest,
                         const std::string& signing) const {
        return "<update><current version=\"" + version + "\" md5=\"" + digest + "\" releasetime=\"2024-05-01\" urlauto=\"" +
               server.Url("/pkg/Sorvik_setup.exe") + "\" urlmanual=\"http://127.0.0.1:9/manual.html\" urltip=\"" +
               server.Url("/notes.html") + "\" bufsize=\"3.5MB\"" + signing + "/><force condition=\"" + condition +
               "\"/></update>";
    }
    // How the manifest names the served package: by its MD5 and SHA-256, or wrongly by one of them.
    enum class Digests { kMatching, kUpperCaseMd5, kOtherSha256 };
    // Offers `version`, signed with the build tree's key; the package is the stand-in program, served
    // under /pkg/Sorvik_setup.exe.
    void OfferUpdate(const std::string& version, const std::string& condition, Digests digests = Digests::kMatching) {
        const std::string package = ReadFileBytes(RecorderPath());
        std::string digest = md5_space::md5_tools::digest(package);
        if (digests == Digests::kUpperCaseMd5) {
            for (char& ch : digest)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        }
        const std::string named = digests == Digests::kOtherSha256 ? package + "?" : package;
        test_support::TestResponse manifest;
        manifest.body = Manifest(version, condition, digest, publisher.CurrentAttributes(version, named));
        server.Route("/update/manifest.xml", manifest);
        test_support::TestResponse setup;
        setup.body = package;
        server.Route("/pkg/Sorvik_setup.exe", setup);
    }

    // Starts a process; `inherit` makes the child inherit this process's inheritable handles.
    PROCESS_INFORMATION Start(const std::wstring& exe, const std::wstring& arguments, bool inherit = false) {
        std::wstring line = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW si = {sizeof(si)};
        PROCESS_INFORMATION pi = {};
        EXPECT_TRUE(::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, inherit, 0, nullptr, nullptr, &si, &pi));
        processes.push_back(pi);
        return pi;
    }
    PROCESS_INFORMATION Tavisk(const std::string& arguments, HANDLE launcher = nullptr) {
        std::wstring args = AnsiToWide(arguments);
        if (launcher)
            args = L"-hdl " + std::to_wstring(reinterpret_cast<INT_PTR>(launcher)) + L" " + args;
        return Start(TestProgramFolder() + L"Tavisk.exe", args, launcher != nullptr);
    }
    static DWORD ExitCode(const PROCESS_INFORMATION& p, DWORD timeoutMs = 15000) {
        if (::WaitForSingleObject(p.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = 0;
        ::GetExitCodeProcess(p.hProcess, &code);
        return code;
    }
    static HWND WaitForWindow(const PROCESS_INFORMATION& p, const wchar_t* title, DWORD timeoutMs = 15000) {
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(50)) {
            HWND hwnd = FindProcessWindow(p.dwProcessId, title);
            if (hwnd && ::IsWindowVisible(hwnd))
                return hwnd;
            if (::WaitForSingleObject(p.hProcess, 0) == WAIT_OBJECT_0)
                return nullptr;
        }
        return nullptr;
    }
    // Waits for the updater's message box of `run` ("瓦尼奥升级提示"), presses OK and returns its text;
    // "" when none came.
    static std::wstring CloseMessageBox(const PROCESS_INFORMATION& run) {
        HWND box = WaitForWindow(run, L"瓦尼奥升级提示");
        wchar_t text[64] = {};
        if (box) {
            ::GetDlgItemTextW(box, 0xFFFF, text, 64);
            Press(box, IDOK);
        }
        return text;
    }
    static void Press(HWND hwnd, WORD id) { ::PostMessageW(hwnd, WM_COMMAND, id, reinterpret_cast<LPARAM>(hwnd)); }
    // Waits for the update prompt of `run` and presses "update now"; false when no prompt came.
    static bool Accept(const PROCESS_INFORMATION& run) {
        HWND prompt = WaitForWindow(run, L"版本升级");
        if (prompt)
            Press(prompt, 512);
        return prompt != nullptr;
    }
    std::string CheckTime() const {
        wchar_t value[64] = {};
        ::GetPrivateProfileStringW(L"check", L"check_time", L"", value, 64, (Config() + L"varnio_movrel.ini").c_str());
        return WideToAnsi(value);
    }
    std::vector<std::string> RequestPaths() const {
        std::vector<std::string> paths;
        for (const auto& r : server.Requests())
            paths.push_back(r.path);
        return paths;
    }

    static inline int s_runs = 0;
    test_support::TestHttpServer server;
    const CTestUpdateSigner publisher;
    RegistrySandbox sandbox;
    TempFolder install;
    ProgramRecord record;
    std::vector<PROCESS_INFORMATION> processes;
};
}  // namespace

TEST_F(TaviskTest, WithoutALauncherOrWithinSevenDaysOfLaterNothingIsFetched) {
    OfferUpdate("1.1.06.06", "1.0");
    for (const char* arguments : {"", "-hdl 0", "-hdl 0 -man"}) {
        EXPECT_EQ(0u, ExitCode(Tavisk(arguments))) << arguments;
    }
    ASSERT_TRUE(WriteFileBytes(Config() + L"varnio_movrel.ini",
                               "[check]\r\ncheck_time=" + std::to_string(UnixTimeNow() - 6 * 24 * 3600) + "\r\n"));
    EXPECT_EQ(0u, ExitCode(Tavisk("-hdl 4")));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(TaviskTest, ManualCheckWhenUpToDateShowsTheNoticeAndASecondUpdaterLeavesAtOnce) {
    OfferUpdate("1.1.06.05", "1.0");
    const PROCESS_INFORMATION first = Tavisk("-hdl 4 -man");
    HWND notice = WaitForWindow(first, L"Varnio在线升级程序");
    ASSERT_NE(nullptr, notice);
    EXPECT_EQ(0u, ExitCode(Tavisk("-hdl 4 -man"), 5000));
    ASSERT_EQ(1u, server.Requests().size());
    const std::string query = server.Requests()[0].query;
    EXPECT_EQ(0u, query.find("uuid=")) << query;
    EXPECT_NE(std::string::npos, query.find("&ip=127.0.0.1&version=1.1.06.05&pkgname=")) << query;
    Press(notice, IDOK);
    EXPECT_EQ(kEndedByDialog, ExitCode(first));
}

TEST_F(TaviskTest, AFailedCheckIsReportedOnlyInManualMode) {
    EXPECT_EQ(0u, ExitCode(Tavisk("-hdl 4")));  // no route: 404
    const PROCESS_INFORMATION manual = Tavisk("-hdl 4 -man");
    ASSERT_EQ(L"升级检测失败", CloseMessageBox(manual));
    EXPECT_EQ(0u, ExitCode(manual));
    EXPECT_EQ(2u, server.Requests().size());
}

TEST_F(TaviskTest, AnUntrustedOrHostileManifestIsNeverOfferedAndEndsTheRunCleanly) {
    const std::string package = ReadFileBytes(RecorderPath());
    const std::string md5 = md5_space::md5_tools::digest(package);
    const auto nested = [](size_t levels) {
        std::string xml;
        for (size_t i = 0; i < levels; ++i)
            xml += "<u>";
        for (size_t i = 0; i < levels; ++i)
            xml += "</u>";
        return xml;
    };
    struct Case {
        const char* name;
        std::string body;
        uint64_t emptyElements;  // a generated body of this many "<a/>" instead
        bool failBox;            // what a manual check shows; an automatic one shows nothing
    } cases[] = {
        {"unsigned", Manifest("1.1.06.06", "1.0", md5, ""), 0, true},
        {"signed with another key", Manifest("1.1.06.06", "1.0", md5,
                                             CTestUpdateSigner::Fresh().CurrentAttributes("1.1.06.06", package)),
         0, true},
        {"a signed release served as a newer one", Manifest("1.1.06.07", "1.0", md5,
                                                            publisher.CurrentAttributes("1.1.06.06", package)),
         0, true},
        {"a hundred thousand levels", nested(100000), 0, false},  // within the size: malformed, silent
        {"a million levels", nested(1000000), 0, true},           // the download stops at the size
        {"300 MB of empty elements", "", 75 * 1024 * 1024, true},
    };
    for (const Case& c : cases) {
        test_support::TestResponse manifest;
        manifest.body = c.body;
        manifest.generatedSize = c.emptyElements * 4;
        manifest.repeat = "<a/>";
        server.Route("/update/manifest.xml", manifest);
        EXPECT_EQ(0u, ExitCode(Tavisk("-hdl 4"))) << c.name << ": no prompt in automatic mode";
        const PROCESS_INFORMATION manual = Tavisk("-hdl 4 -man");
        if (c.failBox) {
            EXPECT_EQ(L"升级检测失败", CloseMessageBox(manual)) << c.name;
        }
        EXPECT_EQ(0u, ExitCode(manual)) << c.name;
        EndRunning();
    }
    EXPECT_EQ(std::vector<std::string>{}, record.Lines());
}

TEST_F(TaviskTest, LaterIsRememberedAndAForcedUpdateOffersNoLater) {
    OfferUpdate("1.1.06.06", "1.1.06.04");
    const PROCESS_INFORMATION offered = Tavisk("-hdl 4");
    HWND prompt = WaitForWindow(offered, L"版本升级");
    ASSERT_NE(nullptr, prompt);
    Press(prompt, 513);
    EXPECT_EQ(0u, ExitCode(offered));
    EXPECT_LE(std::llabs(ParseCheckTime(CheckTime().c_str()) - UnixTimeNow()), 60);

    ::DeleteFileW((Config() + L"varnio_movrel.ini").c_str());
    OfferUpdate("1.1.06.06", "1.1.06.05");
    const PROCESS_INFORMATION forced = Tavisk("-hdl 4");
    prompt = WaitForWindow(forced, L"版本升级");
    ASSERT_NE(nullptr, prompt);
    Press(prompt, 513);
    EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), ExitCode(forced, 1000));
    Press(prompt, IDCANCEL);
    EXPECT_EQ(kEndedByDialog, ExitCode(forced));
    EXPECT_EQ("", CheckTime());
    EXPECT_EQ(std::vector<std::string>{}, record.Lines());
}

TEST_F(TaviskTest, AnAcceptedUpdateIsDownloadedVerifiedInstalledAndHandedOver) {
    OfferUpdate("1.1.06.06", "1.0");
    // The launcher does not end by itself: the updater ends it before running the installer. Like the
    // product, it hands over an inheritable handle with terminate access only.
    ::CopyFileW(RecorderPath().c_str(), install.Path(L"Launcher.exe").c_str(), FALSE);
    const PROCESS_INFORMATION launcher = Start(install.Path(L"Launcher.exe"), L"linger 60000");
    AutoHandle handOver(::OpenProcess(PROCESS_TERMINATE, TRUE, launcher.dwProcessId));
    const PROCESS_INFORMATION run = Tavisk("", handOver.Get());
    ASSERT_NE(nullptr, WaitForWindow(run, L"版本升级"));
    // The prompt's web pane asks for the release notes (there is no HTML engine to show them under Wine).
    for (DWORD start = ::GetTickCount(); RequestPaths().size() < 2 && ::GetTickCount() - start < 5000;)
        ::Sleep(50);
    ASSERT_TRUE(Accept(run));
    EXPECT_NE(nullptr, WaitForWindow(run, L"瓦尼奥"));  // the progress window
    HWND success = WaitForWindow(run, L"升级成功提示", 30000);
    ASSERT_NE(nullptr, success);
    EXPECT_EQ(static_cast<DWORD>(-2), ExitCode(launcher, 0));
    Press(success, 520);
    EXPECT_EQ(0u, ExitCode(run));
    EXPECT_EQ((std::vector<std::string>{"/update/manifest.xml", "/notes.html", "/pkg/Sorvik_setup.exe"}),
              RequestPaths());
    // The product started in update mode is not waited for, so it may record itself after the installer;
    // the product's normal start comes only after the installer has ended.
    std::vector<std::string> lines = record.LinesOnceThere(4);
    ASSERT_EQ(4u, lines.size());
    std::sort(lines.begin() + 1, lines.begin() + 3);
    EXPECT_EQ((std::vector<std::string>{"Launcher.exe|linger 60000", "Sorvik.exe|update", "Sorvik_setup.exe|",
                                        "Sorvik.exe|"}),
              lines);
}

TEST_F(TaviskTest, APackageUnlikeItsDigestsIsDeletedNeverRunAndTheProductComesBack) {
    const std::wstring package = TemporaryFolder() + L"Sorvik_setup.exe";
    for (Digests digests : {Digests::kUpperCaseMd5, Digests::kOtherSha256}) {
        record.Clear();
        OfferUpdate("1.1.06.06", "1.0", digests);
        const PROCESS_INFORMATION run = Tavisk("-hdl 4");
        ASSERT_TRUE(Accept(run));
        HWND manual = WaitForWindow(run, L"升级提示");
        ASSERT_NE(nullptr, manual);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(package.c_str()));
        Press(manual, IDCANCEL);
        EXPECT_EQ(kEndedByDialog, ExitCode(run));
        std::vector<std::string> lines = record.LinesOnceThere(2);
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ((std::vector<std::string>{"Sorvik.exe|", "Sorvik.exe|update"}), lines);
    }
}

// Whatever keeps the update from being installed, the user is told so (or chose it) and gets the product back.
TEST_F(TaviskTest, AnUpdateThatIsNotInstalledNeverClaimsSuccessAndTheProductComesBack) {
    struct Case {
        const char* name;
        const wchar_t* installerExitCode;
        bool stalledDownload;    // cancelled while the package still arrives
        bool lingeringLauncher;  // cancelled while the updater waits for the launcher, after the download
        const wchar_t* box;      // the message the user gets, or null for none
        std::vector<std::string> lines;
    } cases[] = {
        {"installer fails", L"2", false, false, L"错误", {"Sorvik.exe|", "Sorvik.exe|update", "Sorvik_setup.exe|"}},
        {"cancel during the download", nullptr, true, false, nullptr, {"Sorvik.exe|", "Sorvik.exe|update"}},
        {"cancel after the download", nullptr, false, true, nullptr,
         {"Launcher.exe|linger 60000", "Sorvik.exe|", "Sorvik.exe|update"}},
    };
    ::CopyFileW(RecorderPath().c_str(), install.Path(L"Launcher.exe").c_str(), FALSE);
    for (const Case& c : cases) {
        record.Clear();
        OfferUpdate("1.1.06.06", "1.0");
        if (c.stalledDownload) {
            test_support::TestResponse stalled;
            stalled.generatedSize = 8 * 1024 * 1024;
            stalled.fault = test_support::TestResponse::Fault::StallInBody;
            stalled.faultAfter = 64 * 1024;
            server.Route("/pkg/Sorvik_setup.exe", stalled);
        }
        ::SetEnvironmentVariableW(L"SORVIK_TEST_EXIT_CODE", c.installerExitCode);
        PROCESS_INFORMATION launcher = {};
        AutoHandle handOver;
        if (c.lingeringLauncher) {
            launcher = Start(install.Path(L"Launcher.exe"), L"linger 60000");
            handOver.Reset(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, TRUE, launcher.dwProcessId));
        }
        const PROCESS_INFORMATION run = Tavisk(c.lingeringLauncher ? "" : "-hdl 4", handOver.Get());
        ASSERT_TRUE(Accept(run)) << c.name;
        HWND progress = WaitForWindow(run, L"瓦尼奥");
        ASSERT_NE(nullptr, progress) << c.name;
        if (c.box) {
            HWND box = WaitForWindow(run, c.box, 30000);
            ASSERT_NE(nullptr, box) << c.name;
            wchar_t text[64] = {};
            ::GetDlgItemTextW(box, 0xFFFF, text, 64);
            EXPECT_STREQ(L"瓦尼奥升级安装失败", text) << c.name;
            EXPECT_FALSE(::IsWindowVisible(progress)) << c.name;  // nothing topmost hides the box
            EXPECT_EQ(nullptr, FindProcessWindow(run.dwProcessId, L"升级成功提示")) << c.name;
            Press(box, IDOK);
        } else {
            ::Sleep(500);
            Press(progress, 256);
        }
        EXPECT_EQ(0u, ExitCode(run)) << c.name;
        std::vector<std::string> lines = record.LinesOnceThere(c.lines.size());
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(c.lines, lines) << c.name;
        if (c.lingeringLauncher) {
            EXPECT_EQ(static_cast<DWORD>(STILL_ACTIVE), ExitCode(launcher, 0)) << c.name;  // left alone
        }
    }
    ::SetEnvironmentVariableW(L"SORVIK_TEST_EXIT_CODE", nullptr);
}
