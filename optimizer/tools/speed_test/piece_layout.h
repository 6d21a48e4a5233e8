// Lays out a line of text controls piece after piece: the first stays where it is, each next one
// moves to the right edge and top of the one before and keeps its own measured size. Pure; any thread.
#pragma once
#include <windows.h>

#include <vector>

// `measured` holds each piece's rectangle as measured in place (the window sizes text controls to
// their text); the result holds where each piece goes, in the same order.
std::vector<RECT> LayOutPieces(const std::vector<RECT>& measured);
