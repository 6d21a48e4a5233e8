// The work behind Scoura's exports: one background measurement of both cache folders, and the clears,
// which run on the calling thread. Any thread may call; one instance per process, never destroyed.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>

enum ScouraState : int {
    kScouraNeverCleared = 0,
    kScouraClearing = 1,
    kScouraCleared = 2,
    kScouraStopped = 3,  // the last clear was stopped by terminate
};

class CScouraJobs {
public:
    static CScouraJobs& Instance();

    // Arms a measurement, which starts at the next MeasuredBytes: a program that arms it while it opens
    // its window and polls the size on a timer (timers come when nothing else waits) walks the folders
    // only once the window is up. False while a measurement runs.
    bool StartMeasuring();
    double MeasuredBytes();     // size of both folders; 0 until the first measurement is done
    bool ClearBrowserCache();   // the URL cache; false when stopped or while another clear runs
    bool ClearProductCache();   // the product cache folder, within the folder guard's limits
    int State() const { return m_state; }
    // Asks every job to stop before its next entry; true when none runs after a short wait.
    bool Terminate();

private:
    CScouraJobs() = default;
    template <typename Clear>
    bool RunClear(Clear clear);
    void BeginMeasuring();
    static DWORD WINAPI MeasureThread(void* param);

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_running{0};  // measurements and clears under way
    std::atomic<bool> m_measureArmed{false};
    std::atomic<bool> m_measuring{false};
    std::atomic<uint64_t> m_measuredBytes{0};
    std::atomic<int> m_state{kScouraNeverCleared};
    std::mutex m_clearing;  // one clear at a time
};
