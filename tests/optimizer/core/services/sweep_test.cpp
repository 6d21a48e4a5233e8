// The boost and restore sweeps on the service worker, against Wine's Service Control Manager. Each snapshot
// is narrowed to this test's own services so that Wine's services are never stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

#include "common/handles.h"
#include "optimizer/core/game_mode/game_mode_services.h"
#include "optimizer/core/services/serv_handle.h"
#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_messages.h"
#include "optimizer/core/services/service_worker.h"
#include "tests/optimizer/core/services/sweep_recorder.h"
#include "tests/optimizer/core/services/test_service_host.h"

namespace {

constexpr DWORD kSweepLimitMs = 120000;  // a bound for a stuck sweep, not an expected duration
const wchar_t kTestJournalKey[] = L"SOFTWARE\\VarnioWorks\\SorvikTests\\Sweeps";

std::vector<RecordedMessage> Expected(UINT progress, std::initializer_list<int> percents, UINT done,
                                      SweepOutcome outcome = {}) {
    std::vector<RecordedMessage> messages;
    for (int percent : percents) messages.push_back({progress, percent});
    messages.push_back({done, done == WM_SVC_STOP_DONE ? SweepDoneParam(outcome) : 0});
    return messages;
}

class SweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_services.m_journal = CServiceJournal(kTestJournalKey);
        m_services.m_journal.Clear();
        m_services.m_owner = m_recorder.Window();
        ASSERT_TRUE(m_worker.Start(&m_services));
        ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return m_worker.IsReady(); }, kSweepLimitMs));
    }
    void TearDown() override {
        m_services.m_journal.Clear();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeysRoot);
    }

    CTestService& Add(const wchar_t* base, const std::wstring& description = L"", const wchar_t* args = L"") {
        m_installed.push_back(std::make_unique<CTestService>(UniqueServiceName(base), description, args));
        return *m_installed.back();
    }

    void Snapshot() {
        std::vector<std::wstring> names;
        for (const auto& service : m_installed) names.push_back(service->Name());
        ASSERT_TRUE(m_services.Refresh());
        KeepOnlyServices(m_services, names);
        ASSERT_EQ(m_installed.size(), m_services.m_services.size());
        m_services.CountListed();
    }

    // Runs one sweep through the worker, as the main window would, and returns what the window received.
    std::vector<RecordedMessage> Sweep(GameModeStep step) {
        m_recorder.Clear();
        EXPECT_EQ(step.command, HandStepToWorker(m_mode, m_worker, step).command);
        const UINT done = step.command == SVC_CMD_STOP ? WM_SVC_STOP_DONE : WM_SVC_START_DONE;
        EXPECT_TRUE(CSweepRecorder::PumpUntil([&] { return m_recorder.Saw(done) && !m_mode.m_busy; }, kSweepLimitMs));
        return m_recorder.Messages();
    }

    CSweepRecorder m_recorder;
    CServiceEnumer m_services;
    CServiceWorker m_worker;  // its thread stays parked until the process ends, like the program's
    CGameMode m_mode;
    std::vector<std::unique_ptr<CTestService>> m_installed;  // destroyed first: stopped and deleted
};

TEST_F(SweepTest, BoostStopsListedRunningServicesAndRestoreStartsThem) {
    CTestService& byName = Add(L"sorvik_update_a", L"", L"--stop-pending 600");
    CTestService& byDescription = Add(L"SorvikDescB", L"\u81ea\u52a8\u66f4\u65b0 test");
    CTestService& idle = Add(L"sorvik_update_c");          // listed but already stopped
    CTestService& capital = Add(L"SorvikUpdateD");         // "Update" is not the keyword
    CTestService& plain = Add(L"SorvikPlainE", L"nothing to see");
    for (CTestService* s : {&byName, &byDescription, &capital, &plain}) ASSERT_TRUE(s->StartRunning());
    ASSERT_TRUE(idle.Installed());
    Snapshot();
    EXPECT_EQ(3, m_services.m_listedCount);
    EXPECT_EQ(2, m_services.m_listedRunning);
    EXPECT_EQ(4, m_services.m_totalRunning);
    EXPECT_EQ(idle.Name(), m_services.m_alreadyStopped);

    EXPECT_EQ(Expected(WM_SVC_STOP_PROGRESS, {1, 50, 92}, WM_SVC_STOP_DONE, {2, false}), Sweep(m_mode.Boost()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), byName.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), byDescription.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), idle.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), capital.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), plain.State());
    std::vector<std::wstring> journalled = m_services.m_journal.Read();
    std::sort(journalled.begin(), journalled.end());
    std::vector<std::wstring> stopped = {byName.Name(), byDescription.Name()};
    std::sort(stopped.begin(), stopped.end());
    EXPECT_EQ(stopped, journalled);

    EXPECT_EQ(Expected(WM_SVC_START_PROGRESS, {1, 50, 92}, WM_SVC_START_DONE), Sweep(m_mode.Cancel()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), byName.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), byDescription.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), idle.State());  // not started: it was stopped when counted
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), capital.State());
    EXPECT_TRUE(m_services.m_journal.Read().empty());
}

TEST_F(SweepTest, OneListedServiceStoppedByOthersIsReportedAndStartedAgain) {
    CTestService& listed = Add(L"sorvik_update_f");
    ASSERT_TRUE(listed.StartRunning());
    Snapshot();
    ASSERT_TRUE(listed.RequestStop());  // somebody else stops it after the count
    ASSERT_TRUE(listed.WaitForState(SERVICE_STOPPED, 10000));

    EXPECT_EQ(Expected(WM_SVC_STOP_PROGRESS, {1, 92}, WM_SVC_STOP_DONE), Sweep(m_mode.Boost()));
    EXPECT_TRUE(m_services.m_journal.Read().empty());  // this boost stopped nothing

    EXPECT_EQ(Expected(WM_SVC_START_PROGRESS, {1, 92}, WM_SVC_START_DONE), Sweep(m_mode.Cancel()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), listed.State());
}

TEST_F(SweepTest, ASecondBoostQueuedBehindTheFirstKeepsTheJournal) {
    CTestService& listed = Add(L"sorvik_update_m", L"", L"--stop-pending 400");
    ASSERT_TRUE(listed.StartRunning());
    Snapshot();
    m_recorder.Clear();
    // Both commands are queued before the first sweep ends (the window never does this, the worker still
    // copes); the second finds the service already stopped.
    std::atomic<bool> busy{true};
    ASSERT_TRUE(m_worker.PostCommand(&busy, SVC_CMD_STOP));
    ASSERT_TRUE(m_worker.PostCommand(&busy, SVC_CMD_STOP));
    auto doneCount = [&] {
        return std::count_if(m_recorder.Messages().begin(), m_recorder.Messages().end(),
                             [](const RecordedMessage& m) { return m.message == WM_SVC_STOP_DONE; });
    };
    EXPECT_TRUE(CSweepRecorder::PumpUntil([&] { return doneCount() == 2 && !busy; }, kSweepLimitMs));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), listed.State());
    EXPECT_EQ(std::vector<std::wstring>{listed.Name()}, m_services.m_journal.Read()) << "a crash now must restart it";
}

TEST_F(SweepTest, ARestoreBeforeAnyBoostLeavesServicesStoppedBeforeTheRun) {
    CTestService& stoppedBefore = Add(L"SorvikFaxLikeN", L"update helper");  // capitals in the key name
    ASSERT_TRUE(stoppedBefore.Installed());
    Snapshot();
    ASSERT_EQ(stoppedBefore.Name(), m_services.m_alreadyStopped);
    EXPECT_EQ(Expected(WM_SVC_START_PROGRESS, {1}, WM_SVC_START_DONE), Sweep(m_mode.Cancel()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), stoppedBefore.State());
}

TEST_F(SweepTest, WithNothingListedBothSweepsPostOneThenDone) {
    CTestService& plain = Add(L"SorvikPlainG");
    ASSERT_TRUE(plain.StartRunning());
    Snapshot();
    EXPECT_EQ(0, m_services.m_listedCount);

    EXPECT_EQ(Expected(WM_SVC_STOP_PROGRESS, {1}, WM_SVC_STOP_DONE), Sweep(m_mode.Boost()));
    EXPECT_EQ(Expected(WM_SVC_START_PROGRESS, {1}, WM_SVC_START_DONE), Sweep(m_mode.Cancel()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), plain.State());
}

TEST_F(SweepTest, ABoostCountsOnlyTheServicesItStoppedAndTellsOfRefusedRights) {
    CTestService& first = Add(L"sorvik_update_r");
    CTestService& second = Add(L"SorvikDescS", L"\u5347\u7ea7 helper");
    CTestService& byOthers = Add(L"sorvik_update_t");  // stopped by somebody else after the count
    struct Case {
        bool refuse;
        RefusedCall call;
        SweepOutcome outcome;
    };
    const Case cases[] = {{true, RefusedCall::kManager, {0, true}},
                          {true, RefusedCall::kControlOrStart, {0, true}},
                          {false, RefusedCall::kManager, {2, false}}};
    for (const Case& c : cases) {
        for (CTestService* s : {&first, &second, &byOthers}) {
            if (s->State() != SERVICE_RUNNING) {
                ASSERT_TRUE(s->StartRunning());
            }
        }
        m_services.m_services.clear();
        Snapshot();
        ASSERT_TRUE(byOthers.RequestStop());
        ASSERT_TRUE(byOthers.WaitForState(SERVICE_STOPPED, 10000));
        std::unique_ptr<CRefusedRights> refused(c.refuse ? new CRefusedRights(c.call) : nullptr);
        EXPECT_EQ(Expected(WM_SVC_STOP_PROGRESS, {1, 33, 66, 92}, WM_SVC_STOP_DONE, c.outcome), Sweep(m_mode.Boost()));
        const DWORD expected = c.refuse ? SERVICE_RUNNING : SERVICE_STOPPED;
        EXPECT_EQ(expected, first.State());
        EXPECT_EQ(expected, second.State());
        EXPECT_EQ(static_cast<size_t>(c.outcome.stopped), m_services.m_journal.Read().size());
    }
}

TEST_F(SweepTest, OnlyServicesThatStartAgainLeaveTheJournal) {
    CTestService& listed = Add(L"sorvik_update_u");
    ASSERT_TRUE(listed.StartRunning());
    Snapshot();
    Sweep(m_mode.Boost());
    const std::vector<std::wstring> journalled = {listed.Name()};
    ASSERT_EQ(journalled, m_services.m_journal.Read());
    // Refused at a restore and at the next start's replay alike: still stopped, still named.
    for (bool replay : {false, true}) {
        CRefusedRights refused(RefusedCall::kControlOrStart);
        if (replay) {
            m_services.ReplayJournal();
        } else {
            Sweep(m_mode.Cancel());
        }
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), listed.State()) << replay;
        EXPECT_EQ(journalled, m_services.m_journal.Read()) << replay;
    }
    Sweep(m_mode.Cancel());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), listed.State());
    EXPECT_TRUE(m_services.m_journal.Read().empty());
}

TEST_F(SweepTest, AWorkerDetachedDuringASweepClearsNoBusyFlag) {
    CTestService& slow = Add(L"sorvik_update_v", L"", L"--stop-pending 1000");
    ASSERT_TRUE(slow.StartRunning());
    Snapshot();
    m_recorder.Clear();
    std::atomic<bool> busy{true};  // stands for the field of a window that is being destroyed
    ASSERT_TRUE(m_worker.PostCommand(&busy, SVC_CMD_STOP));
    ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return m_recorder.Messages().size() >= 2; }, kSweepLimitMs));
    m_worker.Detach();
    ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return m_recorder.Saw(WM_SVC_STOP_DONE); }, kSweepLimitMs));
    CSweepRecorder::PumpUntil([] { return false; }, 300);  // time to write, were it going to
    EXPECT_TRUE(busy);
}

TEST(ServiceWorker, ACommandNobodyTakesLeavesThePageIdle) {
    CGameMode mode;
    CServiceWorker notStarted;
    GameModeStep step = HandStepToWorker(mode, notStarted, mode.Boost());
    EXPECT_FALSE(mode.m_busy);
    EXPECT_EQ(0, step.command);
    EXPECT_EQ(GameModeView::kOff, step.view);

    // A worker detached by its closing owner is not ready any more.
    CServiceEnumer services;
    CServiceWorker worker;
    ASSERT_TRUE(worker.Start(&services));
    EXPECT_NE(0u, worker.ThreadId());
    ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return worker.IsReady(); }, kSweepLimitMs));
    std::atomic<bool> busy{true};
    ASSERT_TRUE(worker.PostCommand(&busy, SVC_CMD_STOP));  // an empty snapshot: nothing to sweep
    EXPECT_TRUE(CSweepRecorder::PumpUntil([&] { return !busy; }, kSweepLimitMs));
    worker.Detach();
    step = HandStepToWorker(mode, worker, mode.Cancel());
    EXPECT_FALSE(mode.m_busy);
    EXPECT_EQ(GameModeView::kOff, step.view);
}

// The snapshot keeps its handles through the window's start; the worker closes them once the window has
// painted. A service deleted meanwhile is only marked, and goes with the last handle.
TEST(ServiceWorker, ClosesTheSnapshotsHandlesOnceTheWindowHasPainted) {
    CTestService held(UniqueServiceName(L"SorvikHeld"));
    ASSERT_TRUE(held.Installed());
    CServiceEnumer services;
    services.m_journal = CServiceJournal(kTestJournalKey);
    ASSERT_TRUE(services.Refresh());
    const auto deleteHeld = [&] {
        CServHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        CServHandle service(manager ? ::OpenServiceW(manager.Get(), held.Name().c_str(), DELETE) : nullptr);
        if (!service)
            return ::GetLastError();
        return ::DeleteService(service.Get()) ? DWORD{ERROR_SUCCESS} : ::GetLastError();
    };
    ASSERT_EQ(DWORD{ERROR_SUCCESS}, deleteHeld());

    AutoHandle painted(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CServiceWorker worker;
    ASSERT_TRUE(worker.Start(&services, painted.Get()));
    ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return worker.IsReady(); }, kSweepLimitMs));
    CSweepRecorder::PumpUntil([] { return false; }, 300);
    EXPECT_EQ(DWORD{ERROR_SERVICE_MARKED_FOR_DELETE}, deleteHeld());
    ::SetEvent(painted.Get());
    EXPECT_TRUE(CSweepRecorder::PumpUntil([&] { return deleteHeld() == ERROR_SERVICE_DOES_NOT_EXIST; }, 10000));
}

}  // namespace
