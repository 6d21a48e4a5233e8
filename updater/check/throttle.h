// How often the automatic check may run: at most once every seven days after the user chose "later".
// Pure functions of values; any thread.
#pragma once
#include <cstdint>

constexpr int64_t kCheckIntervalSeconds = 7 * 24 * 60 * 60;

// Leading signed decimal of `text` (spaces skipped); 0 when it starts with no number, clamped on overflow.
int64_t ParseCheckTime(const char* text);

// Manual checks always run; a stored 0 allows the check; otherwise it waits until `now` is at least seven
// days past the stored time, so a stored time in the future (clock set back) holds checks off too.
bool MayCheckNow(bool manual, int64_t stored, int64_t now);

// Seconds since 1 January 1970 UTC.
int64_t UnixTimeNow();
