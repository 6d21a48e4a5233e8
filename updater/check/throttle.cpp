#include "updater/check/throttle.h"

#include <cctype>
#include <climits>
#include <ctime>

int64_t ParseCheckTime(const char* text) {
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? static_cast<uint64_t>(INT64_MAX) + 1 : static_cast<uint64_t>(INT64_MAX);
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        const unsigned digit = static_cast<unsigned>(*text - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (!negative)
        return static_cast<int64_t>(magnitude);
    return magnitude == static_cast<uint64_t>(INT64_MAX) + 1 ? INT64_MIN : -static_cast<int64_t>(magnitude);
}

bool MayCheckNow(bool manual, int64_t stored, int64_t now) {
    if (manual || stored == 0)
        return true;
    if (stored > now)
        return false;
    // stored <= now, so the unsigned difference is the true one even across the whole 64-bit range.
    return static_cast<uint64_t>(now) - static_cast<uint64_t>(stored) >= static_cast<uint64_t>(kCheckIntervalSeconds);
}

int64_t UnixTimeNow() {
    return static_cast<int64_t>(std::time(nullptr));
}
