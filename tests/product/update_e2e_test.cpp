// The whole product as a user meets it, against the local stand-in of the maker's web services that
// scripts/with-standin.sh runs beside this program, offering the next release built from the same
// sources: a silent installation, Sorvik's start with its statistics and the updater's check, the
// update accepted through the prompt's own command and carried out by the real installer of the next
// release, Sorvik started again in that release, and the uninstallation. The test sees what a user and
// the maker's services see: windows by their titles, the request log, the registry, files, processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "installer/helper/product_processes.h"
#include "product_version.h"
#include "skin/files/gdiplus_session.h"
#include "skin/files/skin_paths.h"
#include "tests/installer/installer_harness.h"
#include "tests/optimizer/core/startup/screenshot.h"
#include "tests/support/built_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/product_windows.h"

namespace {

constexpr DWORD kStepMs = 60000;  // a bound for one step of the flow, not an expected duration
constexpr WORD kPromptUpdateNow = 512;
constexpr WORD kSuccessOk = 520;
constexpr const wchar_t* kFailureShot = L"product_update_without_success";

std::string Environment(const char* name) {
    char value[1024] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof(value));
    return n > 0 && n < sizeof(value) ? value : "";
}

// The stand-in's request log, one JSON object per line; read for the request targets as sent.
class RequestLog {
public:
    explicit RequestLog(const std::string& unixPath) : m_path(BuiltFilePath(unixPath.c_str())) {}

    // The targets of the logged requests that begin with `prefix`, in order.
    std::vector<std::string> Targets(const std::string& prefix) const {
        std::vector<std::string> targets;
        const std::string text = ReadFileBytes(m_path);
        const std::string key = "\"target\": \"";
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at)) {
            at += key.size();
            std::string target;
            for (; at < text.size() && text[at] != '"'; ++at)
                target += text[at] == '\\' && at + 1 < text.size() ? text[++at] : text[at];
            if (target.compare(0, prefix.size(), prefix) == 0)
                targets.push_back(target);
        }
        return targets;
    }
    // The targets beginning with `prefix` once there are at least `count` of them (bounded).
    std::vector<std::string> WaitForTargets(const std::string& prefix, size_t count) const {
        std::vector<std::string> targets;
        WaitUntil([&] { return (targets = Targets(prefix)).size() >= count; }, kStepMs);
        return targets;
    }

private:
    std::wstring m_path;
};

std::string Escaped(const std::string& text) {
    return std::regex_replace(text, std::regex(R"([.?*+^$()\[\]{}|\\])"), R"(\$&)");
}

// The identity query after `prefix`, in its order: identity, address, version, package name.
std::regex IdentityQuery(const std::string& prefix, const std::string& uuid, const char* version) {
    return std::regex(Escaped(prefix) + "uuid=" + Escaped(uuid) + "&ip=[^&]*&version=" + Escaped(version) +
                      "&pkgname=Sorvik_Setup\\.exe");
}

// A start that finds another version recorded sends the installation request, then the activity request.
void ExpectStartStatistics(const std::vector<std::string>& targets,
                           size_t from,
                           const std::string& uuid,
                           const char* version) {
    ASSERT_GE(targets.size(), from + 2);
    EXPECT_TRUE(std::regex_match(
        targets[from], IdentityQuery("/softwareinstall.do?soft_id=1&do=statinst&act=inst&source=1&", uuid, version)))
        << targets[from];
    EXPECT_TRUE(std::regex_match(targets[from + 1], IdentityQuery("/softwareactive.do?soft_id=1&", uuid, version)))
        << targets[from + 1];
}

// The pids of the programs running from the installation folder now.
std::vector<DWORD> ProductPids(const std::wstring& folder, const std::wstring& name = L"") {
    std::vector<DWORD> pids;
    for (const RunningProgram& program : ProgramsInFolder(RunningPrograms(name), folder))
        pids.push_back(program.pid);
    return pids;
}

// A window of the installed product titled `title`, waited for (bounded).
HWND WaitForProductWindow(const std::wstring& folder, const wchar_t* title) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindTitledWindow(ProductPids(folder), title)) != nullptr; }, kStepMs);
    return window;
}

// The installation's programs still running, with the installer wherever it runs from, each with its pid
// and executable. Copies of the product that other test programs run beside this one (ctest -j2) are not
// this installation's and are left out.
std::vector<RunningProgram> ProductProgramsRunning(const std::wstring& folder) {
    std::vector<RunningProgram> running = ProgramsInFolder(RunningPrograms(L"Sorvik.exe"), folder);
    for (const RunningProgram& program : ProgramsInFolder(RunningPrograms(L"Tavisk.exe"), folder))
        running.push_back(program);
    for (const RunningProgram& program : RunningPrograms(L"Sorvik_Setup.exe"))
        running.push_back(program);
    return running;
}

std::string Listed(const std::vector<RunningProgram>& programs) {
    std::string list;
    for (const RunningProgram& program : programs)
        list += "\n  " + std::to_string(program.pid) + " " + testing::PrintToString(program.image);
    return list;
}

class ProductE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        ASSERT_FALSE(m_hosts.empty()) << "run under scripts/with-standin.sh, which starts the stand-in";
        ::DeleteFileW((ProgramFolder() + L"\\screenshots\\" + kFailureShot + L".png").c_str());
        RemoveInstallation();
    }
    void TearDown() override {
        EndPrograms(RunningPrograms(L"Sorvik_Setup.exe"), 10000);  // an update left waiting on a failure
        RemoveInstallation();
        // The updater keeps the package it downloaded in the temporary folder.
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        ::DeleteFileW((std::wstring(temp) + L"Sorvik_Setup.exe").c_str());
        ::CoUninitialize();
    }

    const std::wstring m_folder = DefaultInstallFolder();
    const std::string m_hostsUnix = Environment("SORVIK_STANDIN_HOSTS");
    const std::wstring m_hosts = m_hostsUnix.empty() ? L"" : BuiltFilePath(m_hostsUnix.c_str());
    const RequestLog m_log{Environment("SORVIK_STANDIN_LOG")};
    ScopedGdiplus m_gdiplus;  // for the screenshots
};

}  // namespace

TEST_F(ProductE2E, InstallUpdateThroughTheUpdaterToTheNextReleaseAndUninstall) {
    // Installed silently as a deployment would be, every service at the stand-in.
    ASSERT_EQ(0u, RunInstaller(L"/S /HOSTS=" + m_hosts));
    EXPECT_EQ("", ProductValue("version"));

    // Sorvik's first start records its version and reports the installation with the installation's
    // identity, then the updater checks for an update.
    AutoHandle first = StartProgram(m_folder + L"\\Sorvik.exe", L"");
    ASSERT_TRUE(first);
    ASSERT_NE(nullptr, WaitForMainWindow(::GetProcessId(first.Get())));
    const std::vector<std::string> statistics = m_log.WaitForTargets("/software", 2);
    const std::string uuid = ProductValue("uuid");  // made for the first request
    ExpectStartStatistics(statistics, 0, uuid, kProductVersion);
    EXPECT_EQ(kProductVersion, ProductValue("version"));
    const std::vector<std::string> checks = m_log.WaitForTargets("/sorvik/update.xml", 1);
    ASSERT_EQ(1u, checks.size());
    EXPECT_TRUE(std::regex_match(checks[0], IdentityQuery("/sorvik/update.xml?", uuid, kProductVersion))) << checks[0];

    // The prompt offers the next release; the user accepts it.
    HWND prompt = WaitForProductWindow(m_folder, L"\u7248\u672c\u5347\u7ea7");  // 版本升级
    ASSERT_NE(nullptr, prompt);
    ::Sleep(500);  // the paint catches up before the picture
    EXPECT_TRUE(SaveScreenshot(L"product_update_prompt"));
    ::PostMessageW(prompt, WM_COMMAND, kPromptUpdateNow, reinterpret_cast<LPARAM>(prompt));

    // The updater closes Sorvik through "update" (ending it itself would leave exit code -2), downloads
    // and verifies the package and runs it; the installer replaces the running updater's own file.
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.Get(), kStepMs));
    DWORD exitCode = 1;
    ::GetExitCodeProcess(first.Get(), &exitCode);
    EXPECT_EQ(0u, exitCode);
    HWND success = WaitForProductWindow(m_folder, L"\u5347\u7ea7\u6210\u529f\u63d0\u793a");  // 升级成功提示
    if (!success)
        SaveScreenshot(kFailureShot);  // what the screen shows instead
    ASSERT_NE(nullptr, success);
    EXPECT_EQ(std::vector<std::string>{"/sorvik/" SORVIK_NEXT_VERSION "/Sorvik_Setup.exe"},
              m_log.Targets("/sorvik/" SORVIK_NEXT_VERSION "/"));
    ::Sleep(500);
    EXPECT_TRUE(SaveScreenshot(L"product_update_success"));
    ::PostMessageW(success, WM_COMMAND, kSuccessOk, reinterpret_cast<LPARAM>(success));

    // The updater starts the new Sorvik, which records the newer version and reports the update.
    std::vector<DWORD> sorvik;
    ASSERT_TRUE(WaitUntil([&] { return !(sorvik = ProductPids(m_folder, L"Sorvik.exe")).empty(); }, kStepMs));
    ASSERT_NE(nullptr, WaitForMainWindow(sorvik[0]));
    ExpectStartStatistics(m_log.WaitForTargets("/software", 4), 2, uuid, SORVIK_NEXT_VERSION);
    EXPECT_EQ(SORVIK_NEXT_VERSION, ProductValue("version"));
    EXPECT_EQ(ReadFileBytes(BuiltFilePath(SORVIK_NEXT_PROGRAMS_PATH "/Sorvik.exe")), ReadFileBytes(m_folder + L"\\Sorvik.exe"));
    EXPECT_EQ(ReadFileBytes(BuiltProductFolder() + L"\\Tavisk.exe"), ReadFileBytes(m_folder + L"\\Tavisk.exe"));
    ::Sleep(1500);  // the process list's first refresh
    EXPECT_TRUE(SaveScreenshot(L"product_updated_sorvik"));

    // The uninstaller closes Sorvik and removes everything the installations wrote.
    ASSERT_EQ(0u, RunUninstaller(m_folder));
    EXPECT_FALSE(Exists(m_folder));
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    for (const char* name : {"version", "path", "pkgname"})
        EXPECT_EQ("", ProductValue(name)) << name;
    EXPECT_TRUE(WaitUntil([&] { return ProductProgramsRunning(m_folder).empty(); }, 10000))
        << Listed(ProductProgramsRunning(m_folder));
}
