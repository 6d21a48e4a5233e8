// Resource ids of Tavisk (resources/tavisk/tavisk.rc).
#pragma once

#define IDI_TAVISK 107

// The five skinned dialogs; their templates only give style and caption, the code sizes them.
#define IDD_UPDATE_PROMPT 201
#define IDD_NO_MOVREL 202
#define IDD_MOVREL 203
#define IDD_DOWN_MAN 204
#define IDD_UPDATE_SUC 205
