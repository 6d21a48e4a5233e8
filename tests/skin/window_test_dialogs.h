// Dialog templates used only by the window tests.
#pragma once

#define IDD_TEST_FRAMED 100
