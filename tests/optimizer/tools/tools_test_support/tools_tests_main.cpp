// The tools' tests run with GDI+ alive, as the optimizer does, and with Windows restarts replaced by a
// counter before any test starts, so no test can restart the machine.
#include <gtest/gtest.h>

#include "optimizer/tools/page_file/system/windows_restart.h"
#include "skin/files/gdiplus_session.h"
#include "tests/optimizer/tools/tools_test_support/tools_test_support.h"

namespace {
int g_restarts = 0;
void CountRestart() {
    ++g_restarts;
}
}  // namespace

int RestartRequests() {
    return g_restarts;
}

int main(int argc, char** argv) {
    ReplaceWindowsRestart(&CountRestart);
    ::testing::InitGoogleTest(&argc, argv);
    ScopedGdiplus gdiplus;
    return RUN_ALL_TESTS();
}
