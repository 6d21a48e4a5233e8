// The optimizer's run: privilege, message loop, main window and process-list pane, until WM_QUIT.
// Entry thread, with COM and GDI+ started by the caller.
#pragma once

// Returns the message loop's exit code (0), also when the main window could not be created.
int RunOptimizer();
