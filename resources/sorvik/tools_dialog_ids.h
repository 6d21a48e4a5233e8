// Resource ids of the optimizer tools' dialog templates and bitmaps (tools_dialogs.rc): 200-219.
#pragma once

#define IDD_MEMORY_ADVICE 200
#define IDD_REBOOT_PROMPT 201
#define IDD_PROCESS_LIST 202
#define IDB_LIST_HEADER 203
