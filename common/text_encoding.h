// Conversions between wide text and narrow text in the ANSI code page (GBK on the target) or UTF-8.
// Chinese narrow texts are always made from wide literals at run time, never from narrow literals.
#pragma once
#include <string>

std::string WideToAnsi(const std::wstring& text);
std::wstring AnsiToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
