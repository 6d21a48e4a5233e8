#include "optimizer/tools/process_list/kill_processes.h"

// Placeholder until the process list lands.
int KillProcessesByName(const std::wstring&) { return 0; }
