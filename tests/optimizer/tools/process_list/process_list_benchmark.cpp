// CPU time of one process-list refresh with about 100 processes running, as a ratio to a bare loop that
// takes a snapshot and opens and closes every process in it. Prints figures; never fails on slow ones.
// Run by scripts/benchmark.sh, never by ctest.
//   process_list_benchmark [processes, default 100]
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "common/handles.h"
#include "optimizer/tools/process_list/sampling/process_sampler.h"
#include "tests/optimizer/tools/process_list/child_processes.h"

namespace {
constexpr int kRounds = 50;

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// Processor time (user + kernel) and wall time of `rounds` runs, in milliseconds per run.
struct Cost {
    double cpuMs;
    double wallMs;
};
Cost Measure(int rounds, const std::function<void()>& run) {
    FILETIME created, exited, kernel0, user0, kernel1, user1;
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel0, &user0);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i)
        run();
    ::QueryPerformanceCounter(&end);
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel1, &user1);
    const double cpu = static_cast<double>(Ticks(kernel1) - Ticks(kernel0) + Ticks(user1) - Ticks(user0)) / 1e4;
    const double wall = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    return {cpu / rounds, wall / rounds};
}

// What any process list must do at least: a snapshot, and every process opened and closed.
int SnapshotAndOpen() {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {sizeof(entry)};
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        AutoHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
        ++count;
    }
    return count;
}
}  // namespace

int main(int argc, char** argv) {
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 100;
    ChildProcesses children;
    int running = SnapshotAndOpen();
    for (int i = 0; running < wanted; ++i, ++running) {
        if (!children.Start(L"pxbench" + std::to_wstring(i % 10) + L".exe")) {
            std::fprintf(stderr, "process_list_benchmark: cannot start the test program\n");
            return 1;
        }
    }
    running = SnapshotAndOpen();

    CProcessSampler sampler;
    ProcessList list;
    const Cost first = Measure(1, [&] { sampler.Refresh(list); });
    const Cost refresh = Measure(kRounds, [&] { sampler.Refresh(list); });
    const Cost bare = Measure(kRounds, [] { SnapshotAndOpen(); });

    std::printf("process list: %d processes running, %zu listed; mean of %d refreshes after the first\n", running,
                list.size(), kRounds);
    std::printf("  first refresh (descriptions and accounts looked up) %7.2f ms CPU %7.2f ms wall\n", first.cpuMs,
                first.wallMs);
    std::printf("  refresh                                           %7.2f ms CPU %7.2f ms wall\n", refresh.cpuMs,
                refresh.wallMs);
    std::printf("  snapshot and open every process                   %7.2f ms CPU %7.2f ms wall\n", bare.cpuMs,
                bare.wallMs);
    const double ratio = bare.cpuMs > 0 ? refresh.cpuMs / bare.cpuMs : 0;
    std::printf("  CPU ratio %.2f (aim at most 2)%s; wall ratio %.2f\n", ratio, ratio <= 2 ? "" : "  above aim",
                bare.wallMs > 0 ? refresh.wallMs / bare.wallMs : 0);
    return 0;
}
