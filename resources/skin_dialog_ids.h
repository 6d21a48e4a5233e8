// Resource ids of the skin framework's dialog templates (resources/skin_dialogs.rc).
#pragma once

#define IDD_SKIN_MESSAGE_BOX 9
