// When the main window stops polling the companion library's measured cache size. Pure; any thread.
#pragma once
#include <cstdint>

// Empty caches measure 0 for ever, so the poll gives up after this long rather than waking the window
// every few milliseconds for the rest of the session.
constexpr uint64_t kCacheSizePollLimitMs = 30000;

// True once the size, truncated to whole bytes, is not 0, or once `elapsedMs` reach the limit.
bool CacheSizePollEnds(double measuredBytes, uint64_t elapsedMs);
