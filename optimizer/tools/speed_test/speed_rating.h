// The speed test's arithmetic on values: the running speed text, the gauge target and the rating
// of an average. Pure functions; any thread.
#pragma once
#include <cstdint>
#include <string>

// "%dKB/秒" below 1024 KB/s, else "%3.1fMB/秒".
std::wstring RunningSpeedText(int kilobytesPerSecond);

// Gauge position (0..110) that an average of `kbps` kbit/s swings to.
int GaugeTarget(uint32_t kbps);

struct SpeedRating {
    std::wstring speedText;  // "%dKB/秒", or "%2.1fMB/秒" from 1024 KB/s up
    std::wstring rating;     // "缓慢", "一般", "顺畅" or "极快"
    int lowMbps = 0;         // the bandwidth band, in Mbit/s
    int highMbps = 0;
};

// Rating of a non-zero average in KB/s; bounds between the rows are inclusive on the lower row.
SpeedRating RateAverageSpeed(uint32_t averageKBps);
