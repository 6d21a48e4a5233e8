// Frame settings of the updater's dialogs ("mainform.ini", section "Window") and their window
// panels (section "WindowPanel" of a dialog's frame ini). Plain values; readers never fail.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct FrameSkin {
    COLORREF maskColor = 0;
    int imageTopFrame = 0, imageBottomFrame = 0, imageLeftFrame = 0, imageRightFrame = 0;
    int imageCloseBut = 0, imageMaxBut = 0, imageMinBut = 0, imageRestorBut = 0;
    int topLeftOffset = 0, topRightOffset = 0, bottomLeftOffset = 0, bottomRightOffset = 0;
    int leftTopOffset = 0, leftBottomOffset = 0, rightTopOffset = 0, rightBottomOffset = 0;
    POINT closePoint = {}, maxPoint = {}, minPoint = {};
    POINT cutRoundSize = {};  // x > 0: cut the top corners; y > 0: cut the bottom corners
    POINT iconPoint = {}, iconSize = {};
    POINT minTracSize = {};
    RECT captionTextRect = {};
    COLORREF captionTextColor = 0;
    COLORREF windowBkColor = 0;
    int topClipHeightMaximized = 0;
};

// Reads every key of section "Window" of `iniPath`; missing keys give the defaults above.
FrameSkin ReadFrameSkin(const std::wstring& iniPath);

struct WindowPanel {
    RECT iniRect = {};      // as read (top, bottom, left, right order already sorted into a RECT)
    int drawStyle = 0;      // image styles 0-3
    std::wstring imageFile; // relative to the skin folder; loaded directly, not through SkinImageList
};

// Reads section "WindowPanel" ("Count", "panel_%d", "panel_draw_%d", "panel_image_%d").
// Resolve each iniRect with ResolvePanelPlacement.
std::vector<WindowPanel> ReadWindowPanels(const std::wstring& iniPath);
