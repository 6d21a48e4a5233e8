// Stopping and starting single services, and the snapshot, against Wine's Service Control Manager.
#include <gtest/gtest.h>

#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_enumer.h"
#include "tests/optimizer/core/services/test_service_host.h"

namespace {

DWORD Since(DWORD tick) { return ::GetTickCount() - tick; }

TEST(StopServiceAndWait, WaitsWhileTheServiceIsStopPending) {
    CTestService service(UniqueServiceName(L"SorvikStopLinger"), L"", L"--stop-pending 1000");
    ASSERT_TRUE(service.StartRunning());
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(StopOutcome::kStoppedByUs, StopServiceWithOutcome(service.Name()));
    EXPECT_GE(Since(start), 800u);  // it cannot report stopped before it has lingered
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), service.State());
}

TEST(StopServiceAndWait, ServiceStoppingInsideItsHandlerCountsAsStoppedByUs) {
    CTestService service(UniqueServiceName(L"SorvikStopInline"), L"", L"--stop-inline");
    ASSERT_TRUE(service.StartRunning());
    EXPECT_EQ(StopOutcome::kStoppedByUs, StopServiceWithOutcome(service.Name()));
    EXPECT_TRUE(service.WaitForState(SERVICE_STOPPED, 5000));
}

TEST(StopServiceAndWait, AStopAlreadyUnderWayIsAwaitedNotRepeated) {
    CTestService service(UniqueServiceName(L"SorvikStopOther"), L"", L"--stop-pending 1000");
    ASSERT_TRUE(service.StartRunning());
    ASSERT_TRUE(service.RequestStop());
    EXPECT_EQ(StopOutcome::kAlreadyStopped, StopServiceWithOutcome(service.Name()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), service.State());
}

TEST(StopServiceAndWait, StoppedOrMissingServicesReturnAtOnce) {
    CTestService service(UniqueServiceName(L"SorvikStopIdle"));
    ASSERT_TRUE(service.Installed());
    EXPECT_EQ(StopOutcome::kAlreadyStopped, StopServiceWithOutcome(service.Name()));
    EXPECT_TRUE(StopServiceAndWait(service.Name()));
    EXPECT_EQ(StopOutcome::kFailed, StopServiceWithOutcome(L"SorvikNoSuchService"));
    EXPECT_FALSE(StopServiceAndWait(L"SorvikNoSuchService"));
}

TEST(StartServiceAndWait, WaitsWhileTheCheckPointAdvances) {
    CTestService service(UniqueServiceName(L"SorvikStartLinger"), L"", L"--start-pending 1500");
    ASSERT_TRUE(service.Installed());
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(StartServiceAndWait(service.Name()));
    EXPECT_GE(Since(start), 1400u);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), service.State());
}

TEST(StartServiceAndWait, GivesUpOneWaitHintAfterTheLastProgress) {
    CTestService service(UniqueServiceName(L"SorvikStartStuck"), L"", L"--start-stuck 6000");
    ASSERT_TRUE(service.Installed());
    EXPECT_FALSE(StartServiceAndWait(service.Name()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_START_PENDING), service.State());
}

TEST(StartServiceAndWait, FailsForARunningOrMissingService) {
    CTestService service(UniqueServiceName(L"SorvikStartTwice"));
    ASSERT_TRUE(service.Installed());
    EXPECT_TRUE(StartServiceAndWait(service.Name()));
    EXPECT_FALSE(StartServiceAndWait(service.Name()));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), service.State());
    EXPECT_FALSE(StartServiceAndWait(L"SorvikNoSuchService"));
}

TEST(ServiceRights, RefusedCallsAreReportedAsRefusedAndChangeNothing) {
    CTestService running(UniqueServiceName(L"SorvikRightsRunning"));
    CTestService stopped(UniqueServiceName(L"SorvikRightsStopped"));
    ASSERT_TRUE(running.StartRunning());
    ASSERT_TRUE(stopped.Installed());
    for (RefusedCall call : {RefusedCall::kManager, RefusedCall::kService, RefusedCall::kControlOrStart}) {
        {
            CRefusedRights refused(call);
            EXPECT_EQ(StopOutcome::kRefused, StopServiceWithOutcome(running.Name())) << static_cast<int>(call);
            EXPECT_FALSE(StopServiceAndWait(running.Name()));
            EXPECT_EQ(StartOutcome::kRefused, StartServiceWithOutcome(stopped.Name())) << static_cast<int>(call);
        }
        EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), running.State());
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), stopped.State());
    }
    // With the rights back, both go through.
    EXPECT_EQ(StopOutcome::kStoppedByUs, StopServiceWithOutcome(running.Name()));
    EXPECT_EQ(StartOutcome::kStarted, StartServiceWithOutcome(stopped.Name()));
    EXPECT_EQ(StartOutcome::kAlreadyRunning, StartServiceWithOutcome(stopped.Name()));
    EXPECT_EQ(StartOutcome::kMissing, StartServiceWithOutcome(L"SorvikNoSuchService"));
}

TEST(ServiceSnapshot, RecordsStateAndDescriptionOfEachService) {
    CTestService running(UniqueServiceName(L"SorvikSnapRunning"), L"\u81ea\u52a8\u66f4\u65b0 test");
    CTestService stopped(UniqueServiceName(L"SorvikSnapStopped"));
    ASSERT_TRUE(running.StartRunning());
    ASSERT_TRUE(stopped.Installed());

    CServiceEnumer services;
    ASSERT_TRUE(services.Refresh());
    const ServiceRecord* runningRecord = nullptr;
    const ServiceRecord* stoppedRecord = nullptr;
    const ServiceRecord* schedule = nullptr;
    for (const ServiceRecord& record : services.m_services) {
        if (record.name == running.Name()) runningRecord = &record;
        if (record.name == stopped.Name()) stoppedRecord = &record;
        if (record.name == L"Schedule") schedule = &record;
    }
    ASSERT_TRUE(runningRecord && stoppedRecord);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), runningRecord->state);
    EXPECT_EQ(L"\u81ea\u52a8\u66f4\u65b0 test", runningRecord->description);
    EXPECT_TRUE(services.IsListed(*runningRecord));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), stoppedRecord->state);
    EXPECT_EQ(L"", stoppedRecord->description);
    EXPECT_FALSE(services.IsListed(*stoppedRecord));
    // Wine's own task scheduler is listed through "Scheduler" in the catalogue.
    ASSERT_TRUE(schedule);
    EXPECT_TRUE(services.IsListed(*schedule));

    // Refresh appends rather than replacing.
    const size_t first = services.m_services.size();
    ASSERT_TRUE(services.Refresh());
    EXPECT_GT(services.m_services.size(), first);
}

}  // namespace
