// Colours and sizes of the process list's rows, header and end-process button.
#pragma once
#include <windows.h>

namespace list_look {
constexpr int kRowHeight = 26;
constexpr int kHeaderHeight = 29;
constexpr int kHeaderSlice = 4;        // width of each slice of the header bitmap
constexpr int kHeaderBackgroundX = 0;  // tiled across the whole header
constexpr int kHeaderDividerX = 4;     // drawn at each column's right edge
constexpr int kHeaderHotX = 8;         // tiled across the column under the mouse
constexpr int kHeaderPressedX = 16;    // tiled across the column the left button is held on
constexpr int kTextInset = 2;
constexpr SIZE kEndButton = {65, 22};  // one of the three states of "end_button.png"
constexpr int kEndButtonStates = 3;    // normal, hover, pressed

constexpr COLORREF kListBackground = RGB(237, 247, 255);
constexpr COLORREF kSelectedRow = RGB(186, 230, 255);
constexpr COLORREF kHotRow = RGB(205, 234, 255);
constexpr COLORREF kEvenRow = RGB(239, 248, 255);
constexpr COLORREF kOddRow = RGB(226, 243, 255);
constexpr COLORREF kRowText = RGB(45, 74, 92);
constexpr COLORREF kHeaderText = RGB(54, 75, 92);
}  // namespace list_look
