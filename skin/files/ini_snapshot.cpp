#include "skin/files/ini_snapshot.h"

#include <winternl.h>

#include <algorithm>

namespace {
thread_local ScopedIniSnapshot* t_active = nullptr;

std::wstring Trimmed(const wchar_t* text) {
    std::wstring trimmed(text);
    const size_t first = trimmed.find_first_not_of(L" \t");
    trimmed.erase(0, first == std::wstring::npos ? trimmed.size() : first);
    trimmed.erase(trimmed.find_last_not_of(L" \t") + 1);
    return trimmed;
}

// Names are found without the blanks around them, and ignoring case.
std::wstring Upper(const wchar_t* text) {
    std::wstring upper = Trimmed(text);
    if (!upper.empty())
        ::CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}
std::wstring ProfileValueText(const std::wstring& value, DWORD maxChars) {
    if (maxChars == 0)
        return std::wstring();
    // Cut like the profile functions: the closing quote is dropped from what fits, so a quoted value
    // exactly one longer than the room loses its last character too.
    const bool quoted = value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0];
    const std::wstring rest = quoted ? value.substr(1) : value;
    std::wstring text = rest.substr(0, std::min<size_t>(rest.size(), maxChars - 1));
    if (quoted && maxChars >= rest.size() && !text.empty())
        text.pop_back();
    return text;
}

int ProfileValueInt(const std::wstring& text) {
    // The system's own conversion, the one its profile functions use: sign, then a "0x", "0o" or "0b"
    // base, digits up to the first that is not one.
    using ToInteger = LONG(WINAPI*)(const UNICODE_STRING*, ULONG, ULONG*);
    static const auto convert = reinterpret_cast<ToInteger>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlUnicodeStringToInteger")));
    if (!convert)
        return 0;
    UNICODE_STRING string = {};
    string.Buffer = const_cast<wchar_t*>(text.c_str());
    string.Length = static_cast<USHORT>(std::min<size_t>(text.size(), 0x7FFF) * sizeof(wchar_t));
    string.MaximumLength = string.Length;
    ULONG value = 0;
    convert(&string, 0, &value);
    return static_cast<int>(value);
}
}  // namespace

ScopedIniSnapshot::ScopedIniSnapshot() {
    if (!t_active)
        t_active = this;  // an inner one leaves the reads to the outer
}

ScopedIniSnapshot::~ScopedIniSnapshot() {
    if (t_active == this)
        t_active = nullptr;
}

ScopedIniSnapshot* ScopedIniSnapshot::Active() {
    return t_active;
}

const ScopedIniSnapshot::Lines& ScopedIniSnapshot::Section(const std::wstring& file, const wchar_t* section) {
    const std::wstring name = Trimmed(section);  // the section call, unlike the key calls, keeps blanks
    auto key = std::make_pair(file, Upper(section));
    auto found = m_sections.find(key);
    if (found != m_sections.end())
        return found->second;
    // The whole section in one call, grown until it fits: "key=value" strings, an empty one last. Blanks
    // around the value go, as the key calls drop them (a no-op where the section call already did).
    std::vector<wchar_t> buffer(4096);
    DWORD n = 0;
    for (;;) {
        n = ::GetPrivateProfileSectionW(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 24))
            break;
        buffer.assign(buffer.size() * 4, L'\0');
    }
    Lines lines;
    for (const wchar_t* at = buffer.data(); at < buffer.data() + n && *at; at += wcslen(at) + 1) {
        const std::wstring line(at);
        const size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            lines.emplace_back(Upper(line.c_str()), std::wstring());
        else
            lines.emplace_back(Upper(line.substr(0, equals).c_str()), Trimmed(line.c_str() + equals + 1));
    }
    return m_sections.emplace(std::move(key), std::move(lines)).first->second;
}

std::wstring ScopedIniSnapshot::Text(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                                     DWORD maxChars, const wchar_t* defaultText) {
    const std::wstring wanted = Upper(key);
    for (const auto& line : Section(file, section)) {
        if (line.first == wanted)
            return ProfileValueText(line.second, maxChars);
    }
    return ProfileValueText(defaultText ? defaultText : L"", maxChars);
}

int ScopedIniSnapshot::Int(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                           int defaultValue) {
    const std::wstring text = Text(file, section, key, 30, L"");
    return text.empty() ? defaultValue : ProfileValueInt(text);
}
