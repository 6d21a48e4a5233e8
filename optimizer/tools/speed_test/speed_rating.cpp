#include "optimizer/tools/speed_test/speed_rating.h"

#include <windows.h>

#include <cwchar>

namespace {

std::wstring Format(const wchar_t* format, double value) {
    wchar_t text[64] = {};
    std::swprintf(text, 64, format, value);
    return text;
}

std::wstring Megabytes(const wchar_t* format, uint32_t kilobytes) {
    // Single precision, as the figures have always been shown.
    return Format(format, static_cast<float>(kilobytes) * (1.0f / 1024.0f)) + L"MB/秒";
}

std::wstring Kilobytes(uint32_t kilobytes) {
    return std::to_wstring(kilobytes) + L"KB/秒";
}

}  // namespace

std::wstring RunningSpeedText(int kilobytesPerSecond) {
    const uint32_t shown = kilobytesPerSecond > 0 ? static_cast<uint32_t>(kilobytesPerSecond) : 0;
    return shown < 1024 ? Kilobytes(shown) : Megabytes(L"%3.1f", shown);
}

int GaugeTarget(uint32_t kbps) {
    // Each segment stays below 2^31 before MulDiv sees it, whatever the average.
    if (kbps <= 1024)
        return ::MulDiv(static_cast<int>(kbps), 50, 1024);
    if (kbps <= 4096)
        return ::MulDiv(static_cast<int>(kbps - 1024), 40, 4096) + 50;
    if (kbps <= 8192)
        return ::MulDiv(static_cast<int>(kbps - 4096), 20, 4096) + 90;
    return 110;
}

SpeedRating RateAverageSpeed(uint32_t averageKBps) {
    const uint64_t kbps = static_cast<uint64_t>(averageKBps) * 8;
    if (averageKBps >= 1024) {
        const int low = static_cast<int>(8 + 4 * ((kbps - 8192) >> 12));
        return {Megabytes(L"%2.1f", averageKBps), L"极快", low, low + 4};
    }
    const std::wstring text = Kilobytes(averageKBps);
    if (kbps <= 1024)
        return {text, L"缓慢", 0, 1};
    if (kbps <= 2048)
        return {text, L"一般", 1, 2};
    if (kbps <= 4096)
        return {text, L"顺畅", 2, 4};
    return {text, L"极快", 4, 8};
}
