// Resource and menu-item numbers of Sorvik.exe, shared by its resource script and its code
// (optimizer/core/main_window/main_window_ids.h). Plain defines: the resource compiler reads them too.
#pragma once

#define IDI_SORVIK 106
#define IDR_TRAY_MENU 108

#define ID_TRAY_GAME_MODE 40005
#define ID_TRAY_REPAIR 40006
#define ID_TRAY_TOOLS 40007
#define ID_TRAY_QUIT 40008
#define ID_TRAY_MEMORY 40024
