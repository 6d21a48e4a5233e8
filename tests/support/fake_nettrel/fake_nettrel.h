// A deterministic stand-in for Nettrel.dll with the same three entry points: every
// vo_connect_interface_next adds a set number of kilobytes to the count (first resets it to 0),
// so a speed test over it has a known result. Two more entry points set that number and report
// how often each entry point was called.
#pragma once
#include <windows.h>

struct FakeNettrelCalls {
    int first;
    int next;
    int last;
};

extern "C" {
typedef void(WINAPI* FakeNettrelSetStepFn)(double kilobytesPerNext);  // also zeroes the call counts
typedef FakeNettrelCalls(WINAPI* FakeNettrelCallsFn)();
}

constexpr const char* kFakeNettrelSetStep = "fake_nettrel_set_step";
constexpr const char* kFakeNettrelCalls = "fake_nettrel_calls";
