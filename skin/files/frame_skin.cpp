#include "skin/files/frame_skin.h"

#include "skin/files/ini_values.h"

FrameSkin ReadFrameSkin(const std::wstring& ini) {
    const wchar_t* s = L"Window";
    FrameSkin f;
    f.maskColor = ReadIniColorTriple(ini, s, L"Mask_Color");
    f.imageTopFrame = ReadIniInt(ini, s, L"Image_TopFrame", 0);
    f.imageBottomFrame = ReadIniInt(ini, s, L"Image_BottomFrame", 0);
    f.imageLeftFrame = ReadIniInt(ini, s, L"Image_LeftFrame", 0);
    f.imageRightFrame = ReadIniInt(ini, s, L"Image_RightFrame", 0);
    f.imageCloseBut = ReadIniInt(ini, s, L"Image_CloseBut", 0);
    f.imageMaxBut = ReadIniInt(ini, s, L"Image_MaxBut", 0);
    f.imageMinBut = ReadIniInt(ini, s, L"Image_MinBut", 0);
    f.imageRestorBut = ReadIniInt(ini, s, L"Image_RestorBut", 0);
    f.topLeftOffset = ReadIniInt(ini, s, L"Top_LeftOffset", 0);
    f.topRightOffset = ReadIniInt(ini, s, L"Top_RightOffset", 0);
    f.bottomLeftOffset = ReadIniInt(ini, s, L"Bottom_LeftOffset", 0);
    f.bottomRightOffset = ReadIniInt(ini, s, L"Bottom_RightOffset", 0);
    f.leftTopOffset = ReadIniInt(ini, s, L"Left_TopOffset", 0);
    f.leftBottomOffset = ReadIniInt(ini, s, L"Left_BottomOffset", 0);
    f.rightTopOffset = ReadIniInt(ini, s, L"Right_TopOffset", 0);
    f.rightBottomOffset = ReadIniInt(ini, s, L"Right_BottomOffset", 0);
    f.closePoint = ReadIniPointPair(ini, s, L"Close_Point");
    f.maxPoint = ReadIniPointPair(ini, s, L"Max_Point");
    f.minPoint = ReadIniPointPair(ini, s, L"Min_Point");
    f.cutRoundSize = ReadIniPointPair(ini, s, L"cutRound_Size");
    f.iconPoint = ReadIniPointPair(ini, s, L"Icon_Point");
    f.iconSize = ReadIniPointPair(ini, s, L"Icon_Size");
    f.minTracSize = ReadIniPointPair(ini, s, L"MinTrac_Size");
    f.captionTextRect = ReadIniCaptionRect(ini, s, L"CaptionText_Rect");
    f.captionTextColor = ReadIniColorTriple(ini, s, L"CaptionText_Color");
    f.windowBkColor = ReadIniColorTriple(ini, s, L"WindowBk_Color");
    f.topClipHeightMaximized = ReadIniInt(ini, s, L"TopClipHeight_Maximized", 0);
    return f;
}

std::vector<WindowPanel> ReadWindowPanels(const std::wstring& ini) {
    const wchar_t* s = L"WindowPanel";
    std::vector<WindowPanel> panels;
    const int count = ReadIniInt(ini, s, L"Count", 0);
    for (int n = 1; n <= count; ++n) {
        const std::wstring number = std::to_wstring(n);
        WindowPanel panel;
        panel.iniRect = ReadIniCaptionRect(ini, s, (L"panel_" + number).c_str());
        panel.drawStyle = ReadIniInt(ini, s, (L"panel_draw_" + number).c_str(), 0);
        panel.imageFile = ReadIniText(ini, s, (L"panel_image_" + number).c_str());
        panels.push_back(std::move(panel));
    }
    return panels;
}
