#include "tests/support/fake_nettrel/fake_nettrel.h"

namespace {
double g_step = 0;
double g_count = 0;
FakeNettrelCalls g_calls = {};
}  // namespace

extern "C" {

int WINAPI vo_connect_interface_first() {
    ++g_calls.first;
    g_count = 0;
    return 1;
}

double WINAPI vo_connect_interface_next() {
    ++g_calls.next;
    g_count += g_step;
    return g_count;
}

int WINAPI vo_connect_interface_last() {
    ++g_calls.last;
    return 1;
}

void WINAPI fake_nettrel_set_step(double kilobytesPerNext) {
    g_step = kilobytesPerNext;
    g_calls = {};
}

FakeNettrelCalls WINAPI fake_nettrel_calls() {
    return g_calls;
}

}  // extern "C"
