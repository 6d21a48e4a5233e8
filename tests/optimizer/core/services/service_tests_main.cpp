// The service tests' program; run with the crash-child switch it is the run that dies in game mode.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "tests/optimizer/core/services/crash_child.h"

int main(int argc, char** argv) {
    int wideCount = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &wideCount);
    if (wide && wideCount > 1 && std::wcscmp(wide[1], kCrashChildSwitch) == 0) return RunCrashChild(wideCount, wide);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
