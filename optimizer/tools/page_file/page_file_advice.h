// Whether the page file is missing or badly placed, decided once at start-up from the fixed drives
// and the machine's page-file setting. Window thread, before the main window exists.
#pragma once
#include <string>
#include <vector>

#include "optimizer/tools/page_file/system/drive_survey.h"
#include "optimizer/tools/page_file/system/paging_files.h"

// Surveys the machine's drives (the process-wide survey) and reads its setting: true means warn.
bool PageFileNeedsAdvice();

// The same on given drive facts and setting key; the survey it leaves behind is the dialog's.
bool PageFileNeedsAdvice(const std::vector<DriveFact>& facts,
                         const std::wstring& windowsFolder,
                         const PageFileKey& key);

// The decision itself: marks `current` on the survey records of the first entry's drive and warns
// when no page file is configured (a lone drive is then recommended, so the dialog can offer it), or
// when it lies on the system drive or off the recommended one. A system-managed page file ("?:...") or
// one on an unlisted drive gives no warning.
bool DecidePageFileAdvice(std::vector<DriveRecord>& survey, bool settingRead, const std::vector<std::string>& entries);
