#include "optimizer/tools/page_file/system/drive_survey.h"

#include <algorithm>

namespace {
constexpr size_t kMaxOtherDrives = 3;
constexpr DWORD kBufferChars = 1024;

DriveRecord RecordFor(const DriveFact& fact, wchar_t systemLetter) {
    DriveRecord record;
    record.freeGB = static_cast<float>(static_cast<double>(fact.freeBytes) / (1024.0 * 1024.0 * 1024.0));
    record.letterW.assign(1, fact.letter);
    record.letterA.assign(1, fact.letter < 0x80 ? static_cast<char>(fact.letter) : '?');
    // Case-sensitive on purpose: WINDIR and the drive strings both come from the system in capitals.
    record.system = systemLetter != 0 && fact.letter == systemLetter;
    return record;
}
}  // namespace

std::vector<DriveFact> ReadDriveFacts() {
    std::vector<DriveFact> facts;
    wchar_t roots[kBufferChars + 1] = {};
    const DWORD length = ::GetLogicalDriveStringsW(kBufferChars, roots);
    if (length == 0 || length > kBufferChars)
        return facts;
    for (const wchar_t* root = roots; *root; root += wcslen(root) + 1) {
        DriveFact fact;
        fact.letter = root[0];
        fact.type = ::GetDriveTypeW(root);
        if (fact.type == DRIVE_FIXED) {
            ULARGE_INTEGER available = {}, total = {}, free = {};
            if (::GetDiskFreeSpaceExW(root, &available, &total, &free))
                fact.freeBytes = free.QuadPart;
        }
        facts.push_back(fact);
    }
    return facts;
}

std::wstring ReadWindowsFolder() {
    wchar_t folder[kBufferChars] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"WINDIR", folder, kBufferChars);
    return length > 0 && length < kBufferChars ? std::wstring(folder, length) : std::wstring();
}

std::vector<DriveRecord> RankDrives(const std::vector<DriveFact>& facts, const std::wstring& windowsFolder) {
    const wchar_t systemLetter = windowsFolder.empty() ? 0 : windowsFolder[0];
    std::vector<DriveRecord> fixed;
    for (const DriveFact& fact : facts) {
        if (fact.type == DRIVE_FIXED)
            fixed.push_back(RecordFor(fact, systemLetter));
    }
    if (fixed.size() <= 1)
        return fixed;

    auto systemDrive = std::find_if(fixed.begin(), fixed.end(), [](const DriveRecord& r) { return r.system; });
    if (systemDrive != fixed.end())
        std::iter_swap(fixed.begin(), systemDrive);

    // Ascending and stable: among equal free space the later drive ends last, so it is the one chosen.
    std::vector<DriveRecord> others(fixed.begin() + 1, fixed.end());
    std::stable_sort(others.begin(), others.end(),
                     [](const DriveRecord& a, const DriveRecord& b) { return a.freeGB < b.freeGB; });
    const std::wstring recommended = others.back().letterW;

    std::vector<DriveRecord> survey{fixed.front()};
    for (auto it = others.rbegin(); it != others.rend() && survey.size() <= kMaxOtherDrives; ++it)
        survey.push_back(*it);
    for (DriveRecord& record : survey)
        record.recommended = record.letterW == recommended;
    return survey;
}

std::vector<DriveRecord>& DriveSurvey() {
    static std::vector<DriveRecord> survey;
    return survey;
}

const std::vector<DriveRecord>& SurveyDrives(const std::vector<DriveFact>& facts, const std::wstring& windowsFolder) {
    DriveSurvey() = RankDrives(facts, windowsFolder);
    return DriveSurvey();
}

const std::vector<DriveRecord>& SurveyDrives() {
    return SurveyDrives(ReadDriveFacts(), ReadWindowsFolder());
}
