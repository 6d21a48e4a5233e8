// Every value syntax of the skin ini files. Parse* are pure functions of the text; ReadIni* read one
// key with the Windows profile functions (a missing file or key is never an error: it gives the
// default or leaves the current value, as each function says). Any thread; inside a ScopedIniSnapshot
// the thread's reads are answered from it.
#pragma once
#include <windows.h>
#include <string>

constexpr COLORREF kSkinDefaultTextColor = RGB(58, 67, 74);

// --- pure parsers -----------------------------------------------------------------------------
// "%i": "0x" hexadecimal, leading "0" octal. Returns false (value untouched) when nothing converts.
bool ParseCInteger(const wchar_t* text, int& value);
// "%i,%i,%i,%i" into left, top, right, bottom; fields that do not convert keep their value.
void ParseCRect(const wchar_t* text, RECT& rect);
// "%i,%i,%i" red, green, blue (each modulo 256); unconverted components keep the current colour's.
void ParseCColor(const wchar_t* text, COLORREF& color);
// Decimal pieces split at commas into left, top, right, bottom; no comma at all gives an empty rect.
RECT ParseCommaRect(const wchar_t* text);
// Pieces red, green, blue modulo 256; missing pieces (or no comma at all) keep the default's.
COLORREF ParseCommaColor(const wchar_t* text, COLORREF defaultColor = kSkinDefaultTextColor);
// Point pair: x = _wtoi(whole), y = _wtoi(after the first comma) or 0.
POINT ParsePointPair(const wchar_t* text);
// Colour triple: no comma gives 0; a piece counts only when a comma follows it, except blue.
COLORREF ParseColorTriple(const wchar_t* text);
// Caption rectangle: pieces in the order top, bottom, left, right, read like the colour triple.
RECT ParseCaptionRect(const wchar_t* text);

// --- profile readers --------------------------------------------------------------------------
int ReadIniInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue);
// Text of at most `maxChars` - 1 characters (the profile function cuts longer values); "" when missing.
std::wstring ReadIniText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                         DWORD maxChars = 260, const wchar_t* defaultText = L"");
void ReadIniCInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key, int& value);
void ReadIniCRect(const std::wstring& file, const wchar_t* section, const wchar_t* key, RECT& rect);
void ReadIniCColor(const std::wstring& file, const wchar_t* section, const wchar_t* key, COLORREF& color);
RECT ReadIniCommaRect(const std::wstring& file, const wchar_t* section, const wchar_t* key);
COLORREF ReadIniCommaColor(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                           COLORREF defaultColor = kSkinDefaultTextColor);
POINT ReadIniPointPair(const std::wstring& file, const wchar_t* section, const wchar_t* key);
COLORREF ReadIniColorTriple(const std::wstring& file, const wchar_t* section, const wchar_t* key);
RECT ReadIniCaptionRect(const std::wstring& file, const wchar_t* section, const wchar_t* key);
