#include "optimizer/tools/process_list/sampling/process_rules.h"

#include <algorithm>
#include <cwchar>

namespace {
const wchar_t* const kExcludedNames[] = {
    L"varnio.exe",   L"varnio_cache.exe", L"Quellam.exe", L"Pordex.exe",  L"Sorvik.exe", L"Tavisk.exe",
    L"explorer.exe", L"taskhost.exe",     L"conhost.exe", L"svchost.exe", L"dwm.exe",
};
const wchar_t* const kExcludedAccounts[] = {L"SYSTEM", L"NETWORK SERVICE", L"LOCAL SERVICE"};

template <size_t N>
bool Contains(const wchar_t* const (&names)[N], const std::wstring& name) {
    return std::any_of(std::begin(names), std::end(names), [&](const wchar_t* n) { return name == n; });
}
}  // namespace

bool IsExcludedProcessName(const std::wstring& exeName) {
    return Contains(kExcludedNames, exeName);
}

bool IsExcludedAccount(const std::wstring& account) {
    return account.empty() || Contains(kExcludedAccounts, account);
}

uint32_t SampleCpuShare(ProcessRecord& record, uint64_t now, uint64_t cpu) {
    // A sample always has a wall time; its CPU time may well be 0 for a process idle until then.
    const bool hadSample = record.lastWallTime != 0;
    const int64_t wall = static_cast<int64_t>(now - record.lastWallTime);
    const int64_t used = static_cast<int64_t>(cpu - record.lastCpuTime);
    if (hadSample && wall == 0)
        return 0;
    record.lastCpuTime = cpu;
    record.lastWallTime = now;
    if (!hadSample || wall < 0)
        return 0;
    const int64_t percent = (used * 100 + wall / 2) / wall;
    return static_cast<uint32_t>(std::clamp<int64_t>(percent, 0, 100));
}

std::wstring FormatCpuShare(uint32_t percent) {
    return std::to_wstring(percent) + L"%";
}

std::wstring FormatWorkingSet(double bytes) {
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%.2fM", bytes / 1048576.0);
    return text;
}

void SortByWorkingSet(ProcessList& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const ProcessRecord& a, const ProcessRecord& b) { return a.workingSet > b.workingSet; });
}
