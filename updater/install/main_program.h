// The two hand-overs to the product's main program: in update mode right after the user accepts (it
// closes the running product), and normally after a successful installation. The path is read anew each
// time (installation folder from the product key, file name from the configuration). Window thread.
#pragma once
#include <string>

class CUpdateConfig;

// Installation folder + "\" + main program name; "" when either is unknown or no file is there.
std::wstring MainProgramPath(const CUpdateConfig& config);

enum class MainProgramStart {
    kUpdateMode,    // "update", hidden
    kAfterInstall,  // no arguments, shown normally; returns once the shell has done its part
};
// False when there is no main program or the shell could not start it.
bool StartMainProgram(const CUpdateConfig& config, MainProgramStart how);
