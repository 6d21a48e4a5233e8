// Figures of the optimizer's window, printed by scripts/benchmark.sh (never a test): one full repaint of the
// first page, the phases of the window's creation, the time from start to the main window shown as a ratio
// to a program that opens one plain window, and the private bytes of an idle Sorvik.exe. The last line
// repeats the figures for the script's side-by-side table of two builds. The same source also builds
// against trees whose window does not time its own creation (see CreationPhases).
//   optimizer_benchmark [idle seconds, default 60]
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "optimizer/core/main_window/main_window.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/core/services/service_enumer.h"
#include "optimizer/tools/process_list/list_dlg.h"
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

double Milliseconds(double since) {
    return (Now() - since) * 1000.0;
}

struct Phases {
    double services = 0, images = 0, rest = 0, pane = 0, load = 0;
};

// The window's own phase figures where it times its creation; otherwise (a serial start-up) the snapshot
// and the image table taken alone, and the rest of the creation as what is left of its whole time.
template <typename Window>
auto CreationPhases(const Window& window, double total, const std::wstring&, int)
    -> decltype(window.Phases().images, Phases()) {
    Phases phases;
    phases.services = window.Phases().services;
    phases.images = window.Phases().images;
    phases.rest = total - phases.services - phases.images;
    return phases;
}
template <typename Window>
Phases CreationPhases(const Window&, double total, const std::wstring& folder, long) {
    Phases phases;
    double start = Now();
    CServiceEnumer services;
    services.Refresh();
    services.CountListed();
    phases.services = Milliseconds(start);
    start = Now();
    SkinImageList images;
    images.Load(folder + L"Sk_sv\\");
    phases.images = Milliseconds(start);
    phases.rest = total - phases.services - phases.images;
    return phases;
}

// The creation of the main window with the product's skin and the whole service snapshot, then the
// process-list pane with its first refresh, on this thread as Sorvik does them.
Phases WindowPhases(const std::wstring& folder) {
    MainWindowSettings settings = TestWindowSettings();
    settings.programFolder = folder;
    CMainWindow window(settings);
    CListDlg pane;
    double start = Now();
    HWND hwnd = window.CreateMainWindow();
    if (!hwnd)
        return {};
    const double total = Milliseconds(start);
    pane.SetMainWindow(hwnd);
    start = Now();
    pane.Create(hwnd);
    const double paneMs = Milliseconds(start);
    Phases phases = CreationPhases(window, total, folder, 0);
    phases.pane = paneMs;
    ::DestroyWindow(hwnd);
    Pump();
    return phases;
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

// What the private bytes of an idle process are made of: the allocations that hold its threads' stacks
// (each thread's stack reservation, found through its thread block), the other allocations of 512 KB or
// more (decoded images, bitmaps, heap segments) and the rest.
void PrintPrivateParts(HANDLE process) {
    std::map<const void*, double> allocations;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; ::VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);
         at += region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            allocations[region.AllocationBase] += double(region.RegionSize);
        if (region.RegionSize == 0)
            break;
    }
    using QueryThread = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread");
    const auto query = reinterpret_cast<QueryThread>(reinterpret_cast<void*>(found));
    struct BasicInformation {
        LONG exitStatus;
        const char* teb;
        void* ids[2];
        ULONG_PTR affinity;
        LONG priority, basePriority;
    };
    double stacks = 0;
    int threads = 0;
    AutoHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {sizeof(entry)};
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more && query; more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != ::GetProcessId(process))
            continue;
        ++threads;
        AutoHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
        BasicInformation info = {};
        const void* stackLimit = nullptr;  // NT_TIB: exception list, stack base, stack limit
        if (!thread || query(thread.Get(), 0, &info, sizeof(info), nullptr) != 0 ||
            !::ReadProcessMemory(process, info.teb + 2 * sizeof(void*), &stackLimit, sizeof(stackLimit), nullptr))
            continue;
        MEMORY_BASIC_INFORMATION stack = {};
        if (::VirtualQueryEx(process, stackLimit, &stack, sizeof(stack)) == sizeof(stack)) {
            stacks += allocations[stack.AllocationBase];
            allocations.erase(stack.AllocationBase);
        }
    }
    double large = 0, rest = 0;
    std::vector<double> sizes;
    for (const auto& allocation : allocations) {
        if (allocation.second >= 512 * 1024) {
            large += allocation.second;
            sizes.push_back(allocation.second / 1024);
        } else {
            rest += allocation.second;
        }
    }
    std::sort(sizes.rbegin(), sizes.rend());
    std::string list;
    for (double size : sizes)
        list += (list.empty() ? "" : ", ") + std::to_string(static_cast<int>(size));
    std::printf("benchmark: of which %d threads' stacks %.1f MB, allocations of 512 KB or more %.1f MB (%s KB), "
                "the rest %.1f MB\n",
                threads, stacks / 1048576.0, large / 1048576.0, list.c_str(), rest / 1048576.0);
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
    const double repaint = RepaintMilliseconds(copy.Folder());
    std::printf("benchmark: page 0 repaint %.2f ms (aim under 4 ms)\n", repaint);

    // Loading before the entry point: "update" mode ends other copies (none runs) and exits at once.
    std::vector<double> loadRuns;
    for (int i = 0; i < 5; ++i) {
        const double start = Now();
        copy.RunToExit(L"update");
        loadRuns.push_back(Milliseconds(start));
    }
    std::vector<Phases> phaseRuns;
    for (int i = 0; i < 5; ++i)
        phaseRuns.push_back(WindowPhases(copy.Folder()));
    const auto median = [&](double Phases::*field) {
        std::vector<double> values;
        for (const Phases& run : phaseRuns)
            values.push_back(run.*field);
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    Phases phases;
    phases.load = Median(loadRuns);
    phases.services = median(&Phases::services);
    phases.images = median(&Phases::images);
    phases.rest = median(&Phases::rest);
    phases.pane = median(&Phases::pane);
    std::printf(
        "benchmark: start-up phases (median of 5, ms): loading and exit of \"Sorvik.exe update\" %.0f, "
        "service list (its wait, where it runs beside the rest) %.0f, skin images (decoding, or waiting for them) %.0f, controls, menu and tray %.0f, "
        "process-list pane %.0f\n",
        phases.load, phases.services, phases.images, phases.rest, phases.pane);

    // Taken in turns, so that a busy moment of the machine hits both alike.
    std::vector<double> minimalRuns, sorvikRuns;
    for (int i = 0; i < 7; ++i) {
        minimalRuns.push_back(StartSeconds(StartMinimal));
        sorvikRuns.push_back(StartSeconds([&] { return copy.Start(); }));
    }
    const double minimal = Median(minimalRuns), sorvik = Median(sorvikRuns);
    const double ratio = minimal > 0 ? sorvik / minimal : 0.0;
    std::printf(
        "benchmark: start to window shown (median of 7): Sorvik %.3f s, minimal window %.3f s, ratio %.2f "
        "(aim at most 3)\n",
        sorvik, minimal, ratio);

    AutoHandle idle, plain;
    SecondsToWindow([&] { return copy.Start(); }, idle);
    SecondsToWindow(StartMinimal, plain);
    ::Sleep(static_cast<DWORD>(idleSeconds) * 1000);
    std::printf("benchmark: the minimal window program idles at %.1f MB private bytes under the same system\n",
                PrivateMegabytes(plain.Get()));
    End(plain);
    PROCESS_MEMORY_COUNTERS counters = {};
    ::GetProcessMemoryInfo(idle.Get(), &counters, sizeof(counters));
    const double idleMegabytes = PrivateMegabytes(idle.Get());
    std::printf("benchmark: idle Sorvik after %d s: private bytes %.1f MB (aim under 15 MB), working set %.1f MB\n",
                idleSeconds, idleMegabytes, counters.WorkingSetSize / 1048576.0);
    PrintPrivateParts(idle.Get());
    End(idle);
    std::printf("figures: load=%.0f services=%.0f images=%.0f rest=%.0f pane=%.0f start_s=%.3f minimal_s=%.3f ratio=%.2f "
                "repaint_ms=%.2f idle_mb=%.1f\n",
                phases.load, phases.services, phases.images, phases.rest, phases.pane, sorvik, minimal, ratio, repaint,
                idleMegabytes);
    return 0;
}
