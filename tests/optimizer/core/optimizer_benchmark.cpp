// Figures of the optimizer's window, printed by scripts/benchmark.sh (never a test): one full repaint of the
// first page, the time from start to the main window shown as a ratio to a program that opens one plain
// window, and the private bytes of an idle Sorvik.exe.
//   optimizer_benchmark [idle seconds, default 60]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "skin/files/gdiplus_session.h"
#include "tests/optimizer/core/main_window/main_window_fixture.h"
#include "tests/optimizer/core/startup/product_copy.h"

#define SORVIK_WIDEN2(x) L##x
#define SORVIK_WIDEN(x) SORVIK_WIDEN2(x)

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

// Milliseconds of one repaint of the whole first page with the skin of `folder`, the best average of three
// rounds of 200.
double RepaintMilliseconds(const std::wstring& folder) {
    MainWindowSettings settings = TestWindowSettings();
    settings.programFolder = folder;
    CMainWindow window(settings);
    window.SetPageFileWarning(true);
    HWND hwnd = window.CreateMainWindow();
    if (!hwnd)
        return -1;
    ::ShowWindow(hwnd, SW_SHOW);
    Pump();
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        const double start = Now();
        for (int i = 0; i < 200; ++i) {
            ::InvalidateRect(hwnd, nullptr, FALSE);
            ::UpdateWindow(hwnd);
        }
        best = std::min(best, (Now() - start) * 1000.0 / 200);
    }
    return best;
}

// Seconds from CreateProcess to a visible window of the new process; the process is left running.
double SecondsToWindow(const std::function<AutoHandle()>& start, AutoHandle& process) {
    const double begin = Now();
    process = start();
    if (!process)
        return -1;
    const DWORD pid = ::GetProcessId(process.Get());
    bool shown = false;
    while (!(shown = HasVisibleWindow(pid)) && Now() - begin < 30)
        ::Sleep(1);
    return shown ? Now() - begin : -1;
}

void End(AutoHandle& process) {
    if (!process)
        return;
    ::TerminateProcess(process.Get(), 0);
    ::WaitForSingleObject(process.Get(), 10000);
    process.Reset();
}

AutoHandle StartMinimal() {
    std::wstring path = L"Z:" SORVIK_WIDEN(SORVIK_MINIMAL_WINDOW_PATH);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return AutoHandle();
    ::CloseHandle(pi.hThread);
    return AutoHandle(pi.hProcess);
}

double StartSeconds(const std::function<AutoHandle()>& start) {
    AutoHandle process;
    const double seconds = SecondsToWindow(start, process);
    End(process);
    ::Sleep(300);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Private committed memory of a process, summed over its address space.
double PrivateMegabytes(HANDLE process) {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; ::VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);
         at += region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            bytes += double(region.RegionSize);
        if (region.RegionSize == 0)
            break;
    }
    return bytes / 1048576.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int idleSeconds = argc > 1 ? _wtoi(argv[1]) : 60;
    ScopedGdiplus gdiplus;
    ProductCopy copy;
    if (!copy.Complete()) {
        std::printf("benchmark: the product folder could not be copied\n");
        return 1;
    }
    std::printf("benchmark: page 0 repaint %.2f ms (aim under 4 ms)\n", RepaintMilliseconds(copy.Folder()));

    // Taken in turns, so that a busy moment of the machine hits both alike.
    std::vector<double> minimalRuns, sorvikRuns;
    for (int i = 0; i < 7; ++i) {
        minimalRuns.push_back(StartSeconds(StartMinimal));
        sorvikRuns.push_back(StartSeconds([&] { return copy.Start(); }));
    }
    const double minimal = Median(minimalRuns), sorvik = Median(sorvikRuns);
    std::printf(
        "benchmark: start to window shown (median of 7): Sorvik %.3f s, minimal window %.3f s, ratio %.2f "
        "(aim at most 1.3)\n",
        sorvik, minimal, minimal > 0 ? sorvik / minimal : 0.0);

    AutoHandle idle, plain;
    SecondsToWindow([&] { return copy.Start(); }, idle);
    SecondsToWindow(StartMinimal, plain);
    ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    std::printf("benchmark: the minimal window program idles at %.1f MB private bytes under the same system\n",
                PrivateMegabytes(plain.Get()));
    End(plain);
    PROCESS_MEMORY_COUNTERS counters = {};
    ::GetProcessMemoryInfo(idle.Get(), &counters, sizeof(counters));
    std::printf("benchmark: idle Sorvik after %d s: private bytes %.1f MB (aim under 15 MB), working set %.1f MB\n",
                idleSeconds, PrivateMegabytes(idle.Get()), counters.WorkingSetSize / 1048576.0);
    End(idle);
    return 0;
}
