// The child mode of the service test program: boost the named services, then wait to be killed.
#pragma once

constexpr const wchar_t* kCrashChildSwitch = L"--crash-child";

// argv: program, switch, event name, journal key, service names... Returns the exit code.
int RunCrashChild(int argc, wchar_t** argv);
