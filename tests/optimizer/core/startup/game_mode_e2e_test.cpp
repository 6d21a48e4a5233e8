// Game mode in the real Sorvik.exe: the boost and restore commands, a restart after the process was killed
// in game mode, and quitting in game mode. Sorvik acts on every listed service of the prefix: besides the
// test's own, only Wine's services that the catalogue lists, which each test finds running again.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_enumer.h"
#include "tests/optimizer/core/services/test_service_host.h"
#include "tests/optimizer/core/startup/product_copy.h"

namespace {

constexpr DWORD kSweepLimitMs = 120000;  // a bound for a stuck sweep, not an expected duration

// Wine's own services that the catalogue lists and that run now.
std::vector<std::wstring> RunningListedWineServices() {
    CServiceEnumer services;
    services.Refresh();
    std::vector<std::wstring> names;
    for (const ServiceRecord& record : services.m_services) {
        if (!services.IsListed(record))
            continue;
        std::printf("listed by the catalogue: %ls (state %lu)\n", record.name.c_str(), record.state);
        if (record.state == SERVICE_RUNNING)
            names.push_back(record.name);
    }
    return names;
}

class GameModeE2E : public ::testing::Test {
protected:
    void SetUp() override {
        m_wine = RunningListedWineServices();
        ASSERT_TRUE(m_copy.Complete());
        ASSERT_TRUE(m_listed.StartRunning());
        ASSERT_TRUE(m_unlisted.StartRunning());
    }
    void TearDown() override {
        // Whatever Sorvik stopped of Wine's is running again once its restore is done.
        for (const std::wstring& name : m_wine) {
            CServiceEnumer probe;
            probe.Refresh();
            for (const ServiceRecord& record : probe.m_services) {
                if (record.name == name) {
                    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), record.state) << name;
                }
            }
        }
    }

    AutoHandle StartSorvik(HWND* window) {
        AutoHandle process = m_copy.Start();
        *window = process ? WaitForMainWindow(::GetProcessId(process.Get())) : nullptr;
        return process;
    }
    // Starts Sorvik and boosts through WM_COMMAND 17; true once the listed service has stopped.
    bool StartBoosted(AutoHandle* process, HWND* window) {
        *process = StartSorvik(window);
        if (!*window)
            return false;
        ::PostMessageW(*window, WM_COMMAND, kCmdBoost, 0);
        return WaitForListed(SERVICE_STOPPED);
    }
    bool WaitForListed(DWORD state) { return m_listed.WaitForState(state, kSweepLimitMs); }

    std::vector<std::wstring> m_wine;
    ProductCopy m_copy;
    CTestService m_listed{UniqueServiceName(L"sorvik_update_e2e")};  // listed by its key name
    CTestService m_unlisted{UniqueServiceName(L"SorvikPlainE2E")};
};

// Posts the tray's quit until the process ends (a quit during a sweep waits for it).
bool QuitAndWait(HWND window, HANDLE process) {
    return WaitUntil(
        [&] {
            ::PostMessageW(window, WM_COMMAND, kCmdTrayQuit, 0);
            return ::WaitForSingleObject(process, 500) == WAIT_OBJECT_0;
        },
        kSweepLimitMs);
}

}  // namespace

TEST_F(GameModeE2E, BoostStopsTheListedServiceOnlyAndCancelStartsItAgain) {
    HWND window = nullptr;
    AutoHandle sorvik;
    ASSERT_TRUE(StartBoosted(&sorvik, &window));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), m_unlisted.State());
    // Posted again until it takes: a cancel that arrives while the boost is still finishing is ignored.
    EXPECT_TRUE(WaitUntil(
        [&] {
            ::PostMessageW(window, WM_COMMAND, kCmdCancelBoost, 0);
            return m_listed.WaitForState(SERVICE_RUNNING, 500);
        },
        kSweepLimitMs));
    EXPECT_TRUE(QuitAndWait(window, sorvik.Get()));
}

TEST_F(GameModeE2E, AStartAfterTheProcessWasKilledInGameModeRestoresTheService) {
    HWND window = nullptr;
    AutoHandle sorvik;
    ASSERT_TRUE(StartBoosted(&sorvik, &window));
    // Killed as the system would end it: nothing of its own runs afterwards.
    ::TerminateProcess(sorvik.Get(), 9);
    ::WaitForSingleObject(sorvik.Get(), 30000);
    ::Sleep(500);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), m_listed.State());

    HWND next = nullptr;
    AutoHandle again = StartSorvik(&next);
    ASSERT_NE(nullptr, next);
    EXPECT_TRUE(WaitForListed(SERVICE_RUNNING));
    // The journal empties once everything it named runs again, Wine's services included.
    EXPECT_TRUE(WaitUntil([] { return CServiceJournal().Read().empty(); }, kSweepLimitMs));
    EXPECT_TRUE(QuitAndWait(next, again.Get()));
}

TEST_F(GameModeE2E, QuittingInGameModeRestoresBeforeTheProcessEnds) {
    HWND window = nullptr;
    AutoHandle sorvik;
    ASSERT_TRUE(StartBoosted(&sorvik, &window));
    ASSERT_TRUE(QuitAndWait(window, sorvik.Get()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), m_listed.State()) << "started before the process ended";
}
