// What the process list shows: who is left out, the CPU share arithmetic and the cell texts.
#include <gtest/gtest.h>

#include "optimizer/tools/process_list/sampling/process_rules.h"

TEST(ProcessRules, LeavesOutTheProductLineWindowsHostsAndServiceAccounts) {
    for (const wchar_t* name :
         {L"varnio.exe", L"varnio_cache.exe", L"Quellam.exe", L"Pordex.exe", L"Sorvik.exe", L"Tavisk.exe",
          L"explorer.exe", L"taskhost.exe", L"conhost.exe", L"svchost.exe", L"dwm.exe"})
        EXPECT_TRUE(IsExcludedProcessName(name)) << name;
    for (const wchar_t* name : {L"notepad.exe", L"Explorer.EXE", L"sorvik.exe", L"svchost.exe.bak"})
        EXPECT_FALSE(IsExcludedProcessName(name)) << name;  // names compare exactly, as the snapshot gives them
    for (const wchar_t* account : {L"SYSTEM", L"NETWORK SERVICE", L"LOCAL SERVICE", L""})
        EXPECT_TRUE(IsExcludedAccount(account)) << account;
    for (const wchar_t* account : {L"alice", L"Administrator", L"system"})
        EXPECT_FALSE(IsExcludedAccount(account));
}

TEST(ProcessRules, CpuShareStartsAtZeroThenFollowsTheProcess) {
    struct Case {
        const char* what;
        uint64_t lastWall, lastCpu, now, cpu;
        uint32_t share;
        uint64_t storedWall;  // the previous sample afterwards
    };
    const Case cases[] = {
        {"first appearance", 0, 0, 5000, 700, 0, 5000},
        {"a quarter and a half, rounded up", 1000, 500, 2000, 755, 26, 2000},
        {"no time has passed", 1000, 500, 1000, 900, 0, 1000},
        {"idle until its first sample", 1000, 0, 2000, 300, 30, 2000},
        {"a reused id whose times went back", 1000, 500, 2000, 100, 0, 2000},
        {"never above all processors", 1000, 500, 2000, 3000, 100, 2000},
    };
    for (const Case& c : cases) {
        ProcessRecord record;
        record.lastWallTime = c.lastWall;
        record.lastCpuTime = c.lastCpu;
        EXPECT_EQ(c.share, SampleCpuShare(record, c.now, c.cpu)) << c.what;
        EXPECT_EQ(c.storedWall, record.lastWallTime) << c.what;
    }
}

TEST(ProcessRules, CellTexts) {
    EXPECT_EQ(L"1536.00M", FormatWorkingSet(1610612736.0));
    EXPECT_EQ(L"0.50M", FormatWorkingSet(524288.0));
    EXPECT_EQ(L"0%", FormatCpuShare(0));
    EXPECT_EQ(L"37%", FormatCpuShare(37));
}
