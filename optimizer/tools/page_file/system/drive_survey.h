// The fixed drives the page-file advice chooses from: the system drive first, then up to three other
// fixed drives by free space, most first, the one with most free space recommended. The ranking is a
// function of plain drive facts; only ReadDriveFacts and SurveyDrives() touch the system. Window thread.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the system says about one drive root, in the order it lists them.
struct DriveFact {
    wchar_t letter = 0;
    UINT type = DRIVE_UNKNOWN;  // GetDriveTypeW
    uint64_t freeBytes = 0;     // total free bytes; 0 when the query fails
};

struct DriveRecord {
    float freeGB = 0;          // free bytes / 1024^3
    bool recommended = false;  // the suggested page-file drive
    bool current = false;      // the page file lies here (set by the advice check)
    bool system = false;       // the drive of WINDIR
    std::string letterA;       // the letter alone, narrow
    std::wstring letterW;      // the letter alone, wide
};

// Every drive root with its type and free space, and the value of WINDIR.
std::vector<DriveFact> ReadDriveFacts();
std::wstring ReadWindowsFolder();

// Ranks `facts` as described above; `windowsFolder` names the system drive by its first character.
std::vector<DriveRecord> RankDrives(const std::vector<DriveFact>& facts, const std::wstring& windowsFolder);

// The process-wide survey of the last SurveyDrives call (empty before the first).
std::vector<DriveRecord>& DriveSurvey();
// Ranks the given facts, or the machine's own, and makes the result the process-wide survey.
const std::vector<DriveRecord>& SurveyDrives(const std::vector<DriveFact>& facts, const std::wstring& windowsFolder);
const std::vector<DriveRecord>& SurveyDrives();
