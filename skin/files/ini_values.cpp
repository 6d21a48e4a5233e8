#include "skin/files/ini_values.h"

#include "skin/files/ini_snapshot.h"

#include <cwchar>
#include <cstdlib>
#include <vector>

namespace {

COLORREF MakeColor(int red, int green, int blue) {
    // Components wrap like the byte casts of RGB: 256 is 0, -1 is 255.
    return RGB(static_cast<BYTE>(red & 0xFF), static_cast<BYTE>(green & 0xFF), static_cast<BYTE>(blue & 0xFF));
}

// Every piece between commas; a text without a comma gives no pieces at all.
std::vector<int> CommaPieces(const wchar_t* text) {
    std::vector<int> pieces;
    if (!text || !std::wcschr(text, L',')) return pieces;
    const wchar_t* p = text;
    for (;;) {
        pieces.push_back(_wtoi(p));
        const wchar_t* comma = std::wcschr(p, L',');
        if (!comma) break;
        p = comma + 1;
    }
    return pieces;
}

// Pieces as the frame settings read them: a piece counts only when a comma follows it, except the
// last of `count`, which is read after the comma before it.
std::vector<int> TerminatedPieces(const wchar_t* text, size_t count) {
    std::vector<int> pieces;
    const wchar_t* p = text;
    while (p && pieces.size() + 1 < count) {
        const wchar_t* comma = std::wcschr(p, L',');
        if (!comma) return pieces;
        pieces.push_back(_wtoi(p));
        p = comma + 1;
    }
    if (p) pieces.push_back(_wtoi(p));
    return pieces;
}

std::wstring ReadRaw(const std::wstring& file, const wchar_t* section, const wchar_t* key, DWORD maxChars,
                     const wchar_t* defaultText) {
    if (ScopedIniSnapshot* snapshot = ScopedIniSnapshot::Active(); snapshot && section && key)
        return snapshot->Text(file, section, key, maxChars, defaultText);
    std::vector<wchar_t> buffer(maxChars, L'\0');
    const DWORD n = ::GetPrivateProfileStringW(section, key, defaultText, buffer.data(), maxChars, file.c_str());
    return std::wstring(buffer.data(), n);
}

}  // namespace

bool ParseCInteger(const wchar_t* text, int& value) {
    int parsed = 0;
    if (!text || std::swscanf(text, L"%i", &parsed) != 1) return false;
    value = parsed;
    return true;
}

void ParseCRect(const wchar_t* text, RECT& rect) {
    if (!text) return;
    int v[4] = {rect.left, rect.top, rect.right, rect.bottom};
    std::swscanf(text, L"%i,%i,%i,%i", &v[0], &v[1], &v[2], &v[3]);
    rect = {v[0], v[1], v[2], v[3]};
}

void ParseCColor(const wchar_t* text, COLORREF& color) {
    if (!text) return;
    int v[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    if (std::swscanf(text, L"%i,%i,%i", &v[0], &v[1], &v[2]) < 1) return;
    color = MakeColor(v[0], v[1], v[2]);
}

RECT ParseCommaRect(const wchar_t* text) {
    const std::vector<int> pieces = CommaPieces(text);
    int v[4] = {};
    for (size_t i = 0; i < pieces.size() && i < 4; ++i) v[i] = pieces[i];
    return {v[0], v[1], v[2], v[3]};
}

COLORREF ParseCommaColor(const wchar_t* text, COLORREF defaultColor) {
    const std::vector<int> pieces = CommaPieces(text);
    int v[3] = {GetRValue(defaultColor), GetGValue(defaultColor), GetBValue(defaultColor)};
    for (size_t i = 0; i < pieces.size() && i < 3; ++i) v[i] = pieces[i];
    return MakeColor(v[0], v[1], v[2]);
}

POINT ParsePointPair(const wchar_t* text) {
    if (!text) return {};
    const wchar_t* comma = std::wcschr(text, L',');
    return {_wtoi(text), comma ? _wtoi(comma + 1) : 0};
}

COLORREF ParseColorTriple(const wchar_t* text) {
    // No comma gives 0; one comma sets red only.
    const std::vector<int> pieces = TerminatedPieces(text, 3);
    int v[3] = {};
    for (size_t i = 0; i < pieces.size(); ++i) v[i] = pieces[i];
    return MakeColor(v[0], v[1], v[2]);
}

RECT ParseCaptionRect(const wchar_t* text) {
    const std::vector<int> pieces = TerminatedPieces(text, 4);
    int v[4] = {};  // top, bottom, left, right
    for (size_t i = 0; i < pieces.size(); ++i) v[i] = pieces[i];
    RECT rect;
    rect.top = v[0];
    rect.bottom = v[1];
    rect.left = v[2];
    rect.right = v[3];
    return rect;
}

int ReadIniInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue) {
    if (ScopedIniSnapshot* snapshot = ScopedIniSnapshot::Active(); snapshot && section && key)
        return snapshot->Int(file, section, key, defaultValue);
    return static_cast<int>(::GetPrivateProfileIntW(section, key, defaultValue, file.c_str()));
}

std::wstring ReadIniText(const std::wstring& file, const wchar_t* section, const wchar_t* key, DWORD maxChars,
                         const wchar_t* defaultText) {
    return ReadRaw(file, section, key, maxChars, defaultText);
}

void ReadIniCInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key, int& value) {
    ParseCInteger(ReadRaw(file, section, key, 256, L"").c_str(), value);
}

void ReadIniCRect(const std::wstring& file, const wchar_t* section, const wchar_t* key, RECT& rect) {
    ParseCRect(ReadRaw(file, section, key, 256, L"").c_str(), rect);
}

void ReadIniCColor(const std::wstring& file, const wchar_t* section, const wchar_t* key, COLORREF& color) {
    ParseCColor(ReadRaw(file, section, key, 256, L"").c_str(), color);
}

RECT ReadIniCommaRect(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return ParseCommaRect(ReadRaw(file, section, key, 260, L"").c_str());
}

COLORREF ReadIniCommaColor(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                           COLORREF defaultColor) {
    return ParseCommaColor(ReadRaw(file, section, key, 260, L"").c_str(), defaultColor);
}

POINT ReadIniPointPair(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return ParsePointPair(ReadRaw(file, section, key, 20, L"0,0").c_str());
}

COLORREF ReadIniColorTriple(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return ParseColorTriple(ReadRaw(file, section, key, 260, L"0, 0, 0").c_str());
}

RECT ReadIniCaptionRect(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return ParseCaptionRect(ReadRaw(file, section, key, 260, L"0, 0, 0, 0").c_str());
}
