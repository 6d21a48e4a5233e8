#include "optimizer/tools/page_file/page_file_advice.h"

#include <cwctype>

#include "common/text_encoding.h"

namespace {
// No page file at all: with one drive there is no better one, but that drive is still the one to offer.
bool WarnOfNoPageFile(std::vector<DriveRecord>& survey) {
    if (survey.size() == 1)
        survey.front().recommended = true;
    return true;
}
}  // namespace

bool DecidePageFileAdvice(std::vector<DriveRecord>& survey, bool settingRead, const std::vector<std::string>& entries) {
    if (!settingRead || entries.empty())
        return WarnOfNoPageFile(survey);
    const std::wstring first = AnsiToWide(entries.front());
    if (first.empty())
        return WarnOfNoPageFile(survey);
    const wchar_t letter = first[0];
    const wchar_t upper = static_cast<wchar_t>(std::towupper(letter));
    for (DriveRecord& record : survey) {
        if (record.letterW.find(letter) != std::wstring::npos || record.letterW.find(upper) != std::wstring::npos)
            record.current = true;
    }
    if (survey.size() <= 1)
        return false;
    for (const DriveRecord& record : survey) {
        if (!record.current)
            continue;
        if (record.system || !record.recommended)
            return true;
    }
    return false;
}

bool PageFileNeedsAdvice(const std::vector<DriveFact>& facts,
                         const std::wstring& windowsFolder,
                         const PageFileKey& key) {
    SurveyDrives(facts, windowsFolder);
    std::vector<std::string> entries;
    const bool read = ReadPagingFiles(entries, key);
    return DecidePageFileAdvice(DriveSurvey(), read, entries);
}

bool PageFileNeedsAdvice() {
    return PageFileNeedsAdvice(ReadDriveFacts(), ReadWindowsFolder(), PageFileKey());
}
