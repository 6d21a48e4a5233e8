#include <gtest/gtest.h>

#include "updater/startup/command_line.h"

TEST(TaviskCommandLine, FindsTheLauncherHandleAndManualModeAnywhere) {
    struct Case {
        const char* text;
        long handle;
        bool manual;
    } cases[] = {
        {"", 0, false},
        {"-man", 0, true},
        {"-hdl 0 -man", 0, true},
        {"-hdl 1234", 1234, false},
        {"-hdl   56 -man ", 56, true},
        {" -man -hdl 7", 7, true},
        {"-hdl12x", 12, false},
        {"-hdl abc", 0, false},
        {"-hdl -8", -8, false},
        {"-hdl 4294967300", 0, false},
        {"-HDL 5 -MAN", 0, false},
        {"-hdl 5 -hdl 9", 5, false},
        {"-hdl", 0, false},
    };
    for (const Case& c : cases) {
        const TaviskCommandLine line = ParseTaviskCommandLine(c.text);
        EXPECT_EQ(c.handle, line.launcherHandle) << c.text;
        EXPECT_EQ(c.manual, line.manual) << c.text;
    }
}
