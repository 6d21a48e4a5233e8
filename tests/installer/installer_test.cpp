// The built installer and uninstaller, run silently in the Wine prefix as a user or the updater would.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/registry_text.h"
#include "common/text_encoding.h"
#include "installer/helper/product_processes.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_journal.h"
#include "product_version.h"
#include "tests/common/temp_folder.h"
#include "tests/installer/installer_harness.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "tests/support/built_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/product_windows.h"

namespace {

constexpr DWORD kSweepLimitMs = 120000;  // a bound for a stuck game-mode sweep, not an expected duration

// Every service at a closed loopback port: the programs' requests fail at once and stay on this machine.
constexpr const char kClosedServices[] =
    "[hosts]\r\nstatistics=http://127.0.0.1:9\r\nip=http://127.0.0.1:9\r\nupdate=http://127.0.0.1:9\r\n"
    "web=127.0.0.1:9\r\nplugin=http://127.0.0.1:9/plugin.html\r\nspeedtest=http://127.0.0.1:9\r\n";

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        RemoveInstallation();
    }
    void TearDown() override {
        RemoveInstallation();
        ::CoUninitialize();
    }

    const std::wstring m_folder = DefaultInstallFolder();
    TempFolder m_temp;
    const std::wstring m_hosts = m_temp.Write(L"hosts.ini", kClosedServices);
};

bool SameBytes(const std::wstring& a, const std::wstring& b) {
    return Exists(a) && ReadFileBytes(a) == ReadFileBytes(b);
}

bool HasEnded(const AutoHandle& process) {
    return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

TEST(InstallerBuild, CarriesTheProductVersion) {
    const std::wstring path = BuiltInstaller();
    DWORD ignored = 0;
    std::string data(::GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), &data[0]));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    const WORD fields[] = {SORVIK_VERSION_FIELDS};
    EXPECT_EQ(MAKELONG(fields[1], fields[0]), fixed->dwProductVersionMS);
    EXPECT_EQ(MAKELONG(fields[3], fields[2]), fixed->dwProductVersionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(
        ::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
    wchar_t query[64];
    swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductVersion", translation[0], translation[1]);
    wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &size));
    EXPECT_STREQ(kProductVersionW, text);
}

TEST_F(InstallerTest, SilentInstallLaysOutTheProductAndUninstallRemovesIt) {
    ASSERT_EQ(0u, RunInstaller(L"/S /HOSTS=" + m_hosts));

    // Every file of the product folder, skins included; the service addresses are the ones given.
    const std::wstring product = BuiltProductFolder();
    for (const std::wstring& file : FilesBelow(product)) {
        const std::wstring source = file == L"service_hosts.ini" ? m_hosts : product + L"\\" + file;
        EXPECT_TRUE(SameBytes(m_folder + L"\\" + file, source)) << WideToUtf8(file);
    }
    EXPECT_TRUE(Exists(m_folder + L"\\Uninstall.exe"));
    const std::string config = ReadFileBytes(m_folder + L"\\config\\update_config.xml");
    EXPECT_NE(std::string::npos, config.find(">http://127.0.0.1:9/sorvik/update.xml<")) << config;
    EXPECT_EQ(m_folder + L"\\Sorvik.exe", ShortcutTarget(StartMenuShortcut()));
    EXPECT_EQ("", ProductValue("version")) << "recorded by Sorvik's first start, which reports the installation";
    EXPECT_EQ(WideToAnsi(m_folder), ProductValue("path"));
    EXPECT_EQ("Sorvik_Setup.exe", ProductValue("pkgname"));
    EXPECT_EQ(kProductVersion, ReadRegistryText(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion"));

    // An update run without settings keeps the installation's own addresses.
    ASSERT_EQ(0u, RunInstaller(L"/S"));
    EXPECT_TRUE(SameBytes(m_folder + L"\\service_hosts.ini", m_hosts));

    WriteRegistryText(HKEY_CURRENT_USER, kProductKey, "uuid", "0123456789abcdef0123456789abcdef");
    ASSERT_EQ(0u, RunUninstaller(m_folder));
    EXPECT_FALSE(Exists(m_folder));
    EXPECT_FALSE(Exists(StartMenuShortcut()));
    for (const char* name : {"version", "path", "pkgname"})
        EXPECT_EQ("", ProductValue(name)) << name;
    EXPECT_EQ("", ReadRegistryText(HKEY_CURRENT_USER, kUninstallKey, "DisplayName"));
    // The installation's identity was not written by the installer; it outlives a reinstallation.
    EXPECT_EQ("0123456789abcdef0123456789abcdef", ProductValue("uuid"));
}

// (Not a Chinese name: without the zh_CN.UTF-8 locale on the host, Wine cannot create such files.)
TEST_F(InstallerTest, InstallsIntoAChosenFolderWithASpaceInItsName) {
    const std::wstring folder = m_folder + L" Games";
    ASSERT_EQ(0u, RunInstaller(L"/S /D=" + folder));
    EXPECT_TRUE(Exists(folder + L"\\Sorvik.exe"));
    EXPECT_TRUE(Exists(folder + L"\\config\\update_config.xml"));
    EXPECT_EQ(WideToAnsi(folder), ProductValue("path"));
    EXPECT_EQ(folder + L"\\Sorvik.exe", ShortcutTarget(StartMenuShortcut()));

    ASSERT_EQ(0u, RunUninstaller(folder));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(StartMenuShortcut()));
}

// An installation whose real Sorvik runs in game mode: its boost command (the button's) has stopped the
// listed test service, and whatever listed services of Wine's ran.
class GameModeInstallationTest : public InstallerTest {
protected:
    void SetUp() override {
        InstallerTest::SetUp();
        ASSERT_TRUE(m_service.Installed());
        ASSERT_TRUE(m_service.StartRunning());
        ASSERT_EQ(0u, RunInstaller(L"/S /HOSTS=" + m_hosts));
        m_sorvik = StartProgram(m_folder + L"\\Sorvik.exe", L"");
        ASSERT_TRUE(m_sorvik);
        HWND window = WaitForMainWindow(::GetProcessId(m_sorvik.Get()));
        ASSERT_NE(nullptr, window);
        ::PostMessageW(window, WM_COMMAND, kCmdBoost, 0);
        ASSERT_TRUE(m_service.WaitForState(SERVICE_STOPPED, kSweepLimitMs));
    }

    // Game mode's effects are gone: Sorvik has ended and every service it stopped runs again.
    void ExpectGameModeEnded() const {
        EXPECT_TRUE(HasEnded(m_sorvik));
        EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), m_service.State());
        EXPECT_TRUE(CServiceJournal().Read().empty());
    }

    CTestService m_service{UniqueServiceName(L"sorvik_update_setup")};  // listed by its key name
    AutoHandle m_sorvik;
};

TEST_F(GameModeInstallationTest, InstallingOverItClosesSorvikAndRestartsTheServices) {
    // The updater runs the installer of an update and so holds its own file meanwhile: a program that
    // lingers takes its place once the updater Sorvik started has ended. Sorvik starts it only after its
    // first paint and its statistics, so its start is waited for first (a start missed between looks
    // costs only the wait).
    const auto updaterRuns = [&] { return !ProgramsInFolder(RunningPrograms(L"Tavisk.exe"), m_folder).empty(); };
    WaitUntil(updaterRuns, 10000);
    ASSERT_TRUE(WaitUntil([&] { return !updaterRuns(); }, 30000));
    ASSERT_TRUE(
        ::CopyFileW(BuiltFilePath(SORVIK_TEST_RECORDER_PATH).c_str(), (m_folder + L"\\Tavisk.exe").c_str(), FALSE));
    AutoHandle updater = StartProgram(m_folder + L"\\Tavisk.exe", L"linger 120000");
    ASSERT_TRUE(updater);

    // Run as the updater runs it, shown and without arguments: an update asks nothing.
    ASSERT_EQ(0u, RunInstaller(L""));
    ExpectGameModeEnded();
    EXPECT_FALSE(HasEnded(updater));
    for (const wchar_t* program : {L"\\Sorvik.exe", L"\\Tavisk.exe"}) {
        EXPECT_TRUE(SameBytes(m_folder + program, BuiltProductFolder() + program)) << WideToUtf8(program);
    }

    // Whatever still runs from the folder goes with it, the updater's moved-aside file included.
    ASSERT_EQ(0u, RunUninstaller(m_folder));
    EXPECT_TRUE(HasEnded(updater));
    EXPECT_FALSE(Exists(m_folder));
}

TEST_F(GameModeInstallationTest, UninstallingEndsGameModeFirstAndLeavesNothingRunning) {
    ASSERT_EQ(0u, RunUninstaller(m_folder));
    ExpectGameModeEnded();
    EXPECT_FALSE(IsRunningFrom(m_folder));
    EXPECT_FALSE(Exists(m_folder));
}
