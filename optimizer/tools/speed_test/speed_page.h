// Names, texts, colours and timers of the speed test on the network page: the skin sections of its
// controls, the eight texts the main window creates in code for the result, bandwidth and failure
// lines, and the two main-window timers that drive a run.
#pragma once
#include <windows.h>

namespace speed_page {

// Skin controls (sections of the optimizer's control ini).
constexpr const wchar_t* kProgress = L"NetWorkSpeedProgress1";  // 0..300 steps of a run
constexpr const wchar_t* kGauge = L"NetWorkSpeedProgress2";     // 0..120, swings to the average
constexpr const wchar_t* kGaugeBk = L"NetWorkSpeedBk";
constexpr const wchar_t* kScale = L"Calibration";
constexpr const wchar_t* kFailedIcon = L"SpeedFailedWarnIcon";
constexpr const wchar_t* kCancelBtn = L"CancelSpeedBtn";
constexpr const wchar_t* kRestartBtn = L"RestartSpeedBtn";
constexpr const wchar_t* kRetryBtn = L"SpeedFailedBtn";
constexpr const wchar_t* kStatus = L"TestNetWorkSpeedStatic";  // status, then the result line's first piece
constexpr const wchar_t* kRunningSpeed = L"NetWorkSpeedStatic";
constexpr const wchar_t* kCancelledText = L"TestNetWorkSpeedStatic2";  // its text comes from the skin
constexpr const wchar_t* kBand = L"BandWidth";                         // the bandwidth line's first piece

constexpr int kProgressMax = 300;
constexpr int kGaugeMax = 120;

// Texts the main window creates in code (not in the skin); each takes the font height and colour of
// `styleOf`, the first control of its line, and the speed model colours the figures itself.
struct CodeText {
    const wchar_t* name;
    const wchar_t* styleOf;
};
constexpr const wchar_t* kResultSpeed = L"SpeedResultPiece1";
constexpr const wchar_t* kResultJoin = L"SpeedResultPiece2";
constexpr const wchar_t* kResultRating = L"SpeedResultPiece3";
constexpr const wchar_t* kBandLow = L"SpeedBandPiece1";
constexpr const wchar_t* kBandJoin = L"SpeedBandPiece2";
constexpr const wchar_t* kBandHigh = L"SpeedBandPiece3";
constexpr const wchar_t* kBandEnd = L"SpeedBandPiece4";
// Multi-line; the window places it where the result line starts.
constexpr const wchar_t* kFailureText = L"SpeedFailedText";
constexpr CodeText kCodeTexts[] = {
    {kResultSpeed, kStatus}, {kResultJoin, kStatus}, {kResultRating, kStatus}, {kBandLow, kBand},
    {kBandJoin, kBand},      {kBandHigh, kBand},     {kBandEnd, kBand},        {kFailureText, kStatus},
};

// Texts of the page.
constexpr const wchar_t* kStatusText = L"正在自动测试网速,请稍后...";
constexpr const wchar_t* kResultLead = L"您当前的下载速度为";
constexpr const wchar_t* kResultMiddle = L"，玩游戏网速";
constexpr const wchar_t* kBandLead = L"您当前的网速带宽在";
constexpr const wchar_t* kBandMiddle = L"和";
constexpr const wchar_t* kBandTail = L"之间";
constexpr const wchar_t* kFailureMessage =
    L"请检查系统是否可以正常访问网络？\r\n\r\n 由于系统无法访问网络或者当前的网速过于缓慢而\r\n无法测试您的网络速度";

// The speed, the rating, the band figures and the failure text.
constexpr COLORREF kFigureColor = RGB(210, 53, 53);

// Main-window timers of a run.
constexpr UINT_PTR kSamplingTimer = 2;
constexpr UINT kSamplingPeriodMs = 50;
constexpr UINT_PTR kGaugeTimer = 3;
constexpr UINT kGaugePeriodMs = 1;

}  // namespace speed_page
