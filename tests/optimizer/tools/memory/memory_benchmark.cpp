// Time of one memory clean-up over about 100 running processes (this program started again as idle
// children). Prints figures; it never fails on slow ones.
//   memory_benchmark [children, default 100]
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/handles.h"
#include "optimizer/tools/memory/process_trim.h"

namespace {

const wchar_t kIdleSwitch[] = L"--idle";

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

size_t RunningProcesses() {
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    if (snapshot && ::Process32FirstW(snapshot.Get(), &entry)) {
        do
            ++count;
        while (::Process32NextW(snapshot.Get(), &entry));
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    const std::wstring eventName = L"SorvikMemoryBenchmark" + std::to_wstring(::GetCurrentProcessId());
    if (argc > 2 && std::string(argv[1]) == "--idle") {
        // A child: hold some memory and wait until the benchmark ends.
        std::vector<char> touched(4 << 20, 1);
        AutoHandle done(::OpenEventA(SYNCHRONIZE, FALSE, argv[2]));
        if (done)
            ::WaitForSingleObject(done.Get(), 120000);
        return touched[0] - 1;
    }
    const int children = argc > 1 ? std::atoi(argv[1]) : 100;
    AutoHandle done(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::vector<AutoHandle> started;
    for (int i = 0; i < children; ++i) {
        std::wstring command = L"\"" + std::wstring(self) + L"\" " + kIdleSwitch + L" " + eventName;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (::CreateProcessW(self, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            ::CloseHandle(process.hThread);
            started.emplace_back(process.hProcess);
        }
    }
    ::Sleep(2000);  // let the children reach their wait
    const size_t processes = RunningProcesses();

    double best = 1e30;
    unsigned trimmed = 0;
    for (int run = 0; run < 3; ++run) {
        const double start = Now();
        const TrimOutcome outcome = TrimAllProcesses([](unsigned) {});
        const double seconds = Now() - start;
        if (seconds < best)
            best = seconds;
        trimmed = outcome.processesTrimmed;
    }
    ::SetEvent(done.Get());
    for (const AutoHandle& child : started)
        ::WaitForSingleObject(child.Get(), 5000);
    std::printf("memory clean-up  %8.0f ms for %zu processes (%u trimmed, %zu children started); best of 3\n",
                best * 1000, processes, trimmed, started.size());
    return 0;
}
