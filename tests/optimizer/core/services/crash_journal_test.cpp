// A run that dies in game mode, or while its boost is stopping a service, must not leave services stopped
// for good: the next start brings back what the journal names. The dying run is a real child process.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "common/handles.h"
#include "optimizer/core/game_mode/game_mode_services.h"
#include "optimizer/core/services/service_control.h"
#include "optimizer/core/services/service_enumer.h"
#include "optimizer/core/services/service_worker.h"
#include "tests/optimizer/core/services/crash_child.h"
#include "tests/optimizer/core/services/sweep_recorder.h"
#include "tests/optimizer/core/services/test_service_host.h"

namespace {

const wchar_t kJournalKey[] = L"SOFTWARE\\VarnioWorks\\SorvikTests\\Crash";
constexpr DWORD kLimitMs = 120000;  // a bound for a stuck child, not an expected duration

bool Names(const CServiceJournal& journal, const std::wstring& name) {
    const std::vector<std::wstring> names = journal.Read();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Runs this test program as the boosting child; returns its process, or an empty handle.
AutoHandle StartChild(const std::wstring& eventName, const std::vector<std::wstring>& names) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" " + kCrashChildSwitch + L" " + eventName + L" " +
                               kJournalKey;
    for (const std::wstring& name : names) commandLine += L" " + name;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return AutoHandle();
    }
    ::CloseHandle(pi.hThread);
    return AutoHandle(pi.hProcess);
}

void Kill(const AutoHandle& child) {
    ::TerminateProcess(child.Get(), 9);
    ::WaitForSingleObject(child.Get(), 10000);
}

class CrashJournal : public ::testing::Test {
protected:
    void SetUp() override { m_journal.Clear(); }
    void TearDown() override {
        m_journal.Clear();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKeysRoot);
    }
    CServiceJournal m_journal{kJournalKey};
};

TEST_F(CrashJournal, ServicesStoppedByARunThatDiedInGameModeComeBackAtTheNextStart) {
    CTestService byName(UniqueServiceName(L"sorvik_update_h"));
    CTestService byDescription(UniqueServiceName(L"SorvikDescI"), L"\u5347\u7ea7 helper");
    CTestService plain(UniqueServiceName(L"SorvikPlainJ"));
    for (CTestService* s : {&byName, &byDescription, &plain}) ASSERT_TRUE(s->StartRunning());

    const std::wstring eventName = L"SorvikCrashChildBoosted_" + std::to_wstring(::GetCurrentProcessId());
    AutoHandle boosted(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    AutoHandle child = StartChild(eventName, {byName.Name(), byDescription.Name(), plain.Name()});
    ASSERT_TRUE(child);
    const HANDLE waits[] = {boosted.Get(), child.Get()};
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, waits, FALSE, kLimitMs));  // game mode is on
    Kill(child);

    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), byName.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), byDescription.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), plain.State());
    EXPECT_TRUE(Names(m_journal, byName.Name()));
    EXPECT_TRUE(Names(m_journal, byDescription.Name()));
    EXPECT_FALSE(Names(m_journal, plain.Name()));

    // The next start, as the main window's creation runs it: the snapshot first, then the worker, whose
    // first job is the journal. A command queued behind it runs once the journal is done.
    CSweepRecorder owner;
    CServiceEnumer services;
    services.m_journal = CServiceJournal(kJournalKey);
    CGameMode mode;
    MeasureGameMode(mode, services, owner.Window());
    KeepOnlyServices(services, {byName.Name(), byDescription.Name(), plain.Name()});
    services.CountListed();
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), byName.State()) << "creation does not wait for the journal";
    CServiceWorker worker;
    ASSERT_TRUE(worker.Start(&services));
    ASSERT_TRUE(CSweepRecorder::PumpUntil([&] { return worker.IsReady(); }, kLimitMs));
    std::atomic<bool> queued{true};
    ASSERT_TRUE(worker.PostCommand(&queued, 0));
    EXPECT_TRUE(CSweepRecorder::PumpUntil([&] { return !queued; }, kLimitMs));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), byName.State());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), byDescription.State());
    EXPECT_TRUE(m_journal.Read().empty());
    // Counted as running again, so this run's boost and restore include them.
    auto record = std::find_if(services.m_services.begin(), services.m_services.end(),
                               [&](const ServiceRecord& r) { return r.name == byName.Name(); });
    ASSERT_NE(services.m_services.end(), record);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), record->state);
    EXPECT_EQ(2, services.m_listedRunning);
    EXPECT_TRUE(services.m_alreadyStopped.empty());
    EXPECT_EQ(owner.Window(), services.m_owner);
    EXPECT_GE(mode.m_score, 26);
    EXPECT_LE(mode.m_score, 99);
}

TEST_F(CrashJournal, AServiceBeingStoppedWhenTheRunDiedComesBack) {
    CTestService slow(UniqueServiceName(L"sorvik_update_k"), L"", L"--stop-pending 3000");
    ASSERT_TRUE(slow.StartRunning());

    AutoHandle child = StartChild(L"SorvikCrashChildUnused", {slow.Name()});
    ASSERT_TRUE(child);
    // Killed while the boost waits for the stop: the journal already names the service.
    EXPECT_TRUE(CSweepRecorder::PumpUntil(
        [&] { return Names(m_journal, slow.Name()) && slow.State() == SERVICE_STOP_PENDING; }, kLimitMs));
    Kill(child);
    EXPECT_TRUE(slow.WaitForState(SERVICE_STOPPED, 15000));

    CServiceEnumer next;
    next.m_journal = CServiceJournal(kJournalKey);
    next.ReplayJournal();
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), slow.State());
    EXPECT_TRUE(m_journal.Read().empty());
}

TEST(ServiceJournal, LivesUnderTheProductKeyAndIgnoresCaseAndDuplicates) {
    CServiceJournal journal;  // the product's own key
    const std::wstring name = UniqueServiceName(L"SorvikJournalEntry");
    ASSERT_TRUE(journal.Add(name));
    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\VarnioWorks\\Sorvik", 0, KEY_QUERY_VALUE, &raw));
    AutoRegKey key(raw);
    DWORD type = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(key.Get(), CServiceJournal::kValueName, nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);

    std::wstring upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::towupper);
    EXPECT_TRUE(journal.Add(upper));
    EXPECT_EQ(std::vector<std::wstring>{name}, journal.Read());
    EXPECT_TRUE(journal.Add(L"Other"));
    EXPECT_TRUE(journal.Remove(upper));
    EXPECT_EQ(std::vector<std::wstring>{L"Other"}, journal.Read());
    EXPECT_TRUE(journal.Clear());
    EXPECT_TRUE(journal.Read().empty());
    EXPECT_TRUE(journal.Clear());  // clearing an empty journal is fine
}

}  // namespace
