// The updater's command line: "-hdl <decimal handle of the launching process>" (required) and "-man"
// (manual check), each found by plain, case-sensitive substring search anywhere in the text. Pure.
#pragma once
#include <string>

struct TaviskCommandLine {
    long launcherHandle = 0;  // 0: no launcher given, the run does nothing
    bool manual = false;
};

// The number is the text after the first "-hdl" up to the next space (spaces before it skipped), read as
// a signed decimal; text that is not a number, or a number outside 32 bits, reads as 0.
TaviskCommandLine ParseTaviskCommandLine(const std::string& arguments);
