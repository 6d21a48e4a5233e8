// Which skin images the main window needs before it first appears: those of the frame, the tab strip and
// page 0; those of pages 1 and 2 are decoded before either is first shown.
#pragma once
#include <string>
#include <vector>

#include "optimizer/core/main_window/main_window_controls.h"

// The numbers of every control of every page (-1) or page 0, each once, in the order the controls name them.
std::vector<int> ImagesShownFirst(const std::vector<ControlImages>& controls);

// The image numbers `row`'s section of `ini` names, read with the same keys and syntax as its control.
std::vector<int> ImageNumbersOf(const ControlRow& row, const std::wstring& ini);
