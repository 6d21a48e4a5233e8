// The one way the optimizer restarts Windows. Tests replace the action before anything can reach it,
// so no test ever restarts a machine. Window thread.
#pragma once

using WindowsRestartAction = void (*)();

// Runs the current action: by default enable the shutdown privilege and reboot. Results are not
// examined; without the privilege nothing happens.
void RestartWindows();

// Installs `action` (null restores the real restart) and returns the one it replaced.
WindowsRestartAction ReplaceWindowsRestart(WindowsRestartAction action);
