// The description an executable gives of itself in its version information. Any thread.
#pragma once
#include <string>

// "FileDescription" of the first translation, else "CompanyName", else "无描述"; at most 511 characters.
std::wstring FileDescription(const std::wstring& path);
