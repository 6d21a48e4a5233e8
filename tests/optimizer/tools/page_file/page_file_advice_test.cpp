// The page-file check against the machine's setting in the Wine registry, with substituted drive lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "optimizer/tools/page_file/page_file_advice.h"
#include "tests/optimizer/tools/page_file/paging_files_value.h"

namespace {
using namespace std::string_literals;

std::wstring Letters(const std::vector<DriveRecord>& survey, bool DriveRecord::*flag = nullptr) {
    std::wstring letters;
    for (const DriveRecord& record : survey) {
        if (!flag || record.*flag)
            letters += record.letterW;
    }
    return letters;
}

const std::string kOnC = "C:\\pagefile.sys 1024 4092\0\0"s;
const std::string kOnD = "d:\\pagefile.sys 2048 4096\0\0"s;  // written in lower case by hand
const std::string kManaged = "?:\\pagefile.sys\0\0"s;
// Five page files: 150 bytes, more than a 128-byte read would take.
const std::string kLong =
    "D:\\pagefile.sys 4096 8192\0E:\\pagefile.sys 4096 8192\0F:\\pagefile.sys 4096 8192\0"
    "G:\\pagefile.sys 4096 8192\0H:\\pagefile.sys 4096 8192\0\0"s;
const std::string kOnF = "F:\\pagefile.sys 1024 4092\0\0"s;
}  // namespace

TEST(PageFileAdvice, DecidesFromDrivesAndSetting) {
    const DriveFact cdrom = {L'X', DRIVE_CDROM, 0}, stick = {L'K', DRIVE_REMOVABLE, 1ull << 34};
    struct Case {
        const char* what;
        std::vector<DriveFact> drives;
        const wchar_t* windir;
        const std::string* value;  // null: no value at all
        bool warn;
        const wchar_t* listed;       // survey letters in order
        const wchar_t* recommended;  // letters marked recommended
        const wchar_t* current;      // letters marked current
    };
    const Case cases[] = {
        {"one fixed drive", {FixedDrive(L'C', 30), cdrom}, L"C:\\windows", &kOnC, false, L"C", L"", L"C"},
        {"page file on the system drive",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 80)},
         L"C:\\windows",
         &kOnC,
         true,
         L"CD",
         L"D",
         L"C"},
        {"already on the recommended drive",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 80)},
         L"C:\\windows",
         &kOnD,
         false,
         L"CD",
         L"D",
         L"D"},
        {"system-managed",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 80)},
         L"C:\\windows",
         &kManaged,
         false,
         L"CD",
         L"D",
         L""},
        {"six fixed drives",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 10), stick, FixedDrive(L'E', 50), FixedDrive(L'F', 30),
          FixedDrive(L'G', 40), FixedDrive(L'H', 5), cdrom},
         L"C:\\windows",
         &kOnF,
         true,
         L"CEGF",
         L"E",
         L"F"},
        {"two equal non-system drives",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 40), FixedDrive(L'E', 40)},
         L"C:\\windows",
         &kOnD,
         true,
         L"CED",
         L"E",
         L"D"},
        {"value longer than 128 bytes",
         {FixedDrive(L'C', 30), FixedDrive(L'D', 80)},
         L"C:\\windows",
         &kLong,
         false,
         L"CD",
         L"D",
         L"D"},
        {"no page file", {FixedDrive(L'C', 30), FixedDrive(L'D', 80)}, L"C:\\windows", nullptr, true, L"CD", L"D", L""},
        {"one fixed drive and no page file", {FixedDrive(L'C', 30)}, L"C:\\windows", nullptr, true, L"C", L"C", L""},
        {"system drive listed after others",
         {FixedDrive(L'C', 90), FixedDrive(L'D', 20), FixedDrive(L'E', 30)},
         L"D:\\WINDOWS",
         &kOnC,
         false,
         L"DCE",
         L"C",
         L"C"},
    };
    PagingFilesValue saved;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saved.Set(c.value);
        EXPECT_EQ(c.warn, PageFileNeedsAdvice(c.drives, c.windir, PageFileKey()));
        EXPECT_EQ(c.listed, Letters(DriveSurvey()));
        EXPECT_EQ(c.recommended, Letters(DriveSurvey(), &DriveRecord::recommended));
        EXPECT_EQ(c.current, Letters(DriveSurvey(), &DriveRecord::current));
        EXPECT_EQ(std::wstring(1, c.windir[0]), Letters(DriveSurvey(), &DriveRecord::system));
    }
}

TEST(PageFileAdvice, UnreadableSettingWarns) {
    const PageFileKey missing = {HKEY_LOCAL_MACHINE, L"SOFTWARE\\VarnioWorks\\NoMemoryManagementHere"};
    EXPECT_TRUE(PageFileNeedsAdvice({FixedDrive(L'C', 30), FixedDrive(L'D', 80)}, L"C:\\windows", missing));
}

namespace {
// This process's HKEY_LOCAL_MACHINE redirected to a key of the test's own, removed afterwards.
class FakeMachine {
public:
    FakeMachine() {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kRoot, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root, nullptr);
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_root);
    }
    ~FakeMachine() {
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        ::RegCloseKey(m_root);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
    }
    void Set(const std::wstring& controlSet, const std::string& value) const {
        HKEY key = nullptr;
        ::RegCreateKeyExW(m_root, Path(controlSet).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegSetValueExA(key, "PagingFiles", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                         static_cast<DWORD>(value.size()));
        ::RegCloseKey(key);
    }
    std::string Get(const std::wstring& controlSet) const {
        std::vector<std::string> entries;
        ReadPagingFiles(entries, PageFileKey{HKEY_LOCAL_MACHINE, Path(controlSet)});
        return entries.empty() ? std::string() : entries.front();
    }

private:
    static std::wstring Path(const std::wstring& controlSet) {
        return L"SYSTEM\\" + controlSet + L"\\Control\\Session Manager\\Memory Management";
    }
    static constexpr const wchar_t* kRoot = L"Software\\VarnioWorks\\FakeMachine";
    HKEY m_root = nullptr;
};
}  // namespace

TEST(PageFileAdvice, ReadsAndWritesTheControlSetWindowsUses) {
    // A machine that started from another set than 001: 001 still says C, the set in use says D.
    FakeMachine machine;
    machine.Set(L"ControlSet001", kOnC);
    machine.Set(L"CurrentControlSet", kOnD);
    EXPECT_FALSE(PageFileNeedsAdvice({FixedDrive(L'C', 30), FixedDrive(L'D', 80)}, L"C:\\windows", PageFileKey()))
        << "the page file Windows uses is on the recommended drive";
    ASSERT_TRUE(WritePageFile("E"));
    EXPECT_EQ("E:\\pagefile.sys 1024 4092", machine.Get(L"CurrentControlSet"));
    EXPECT_EQ("C:\\pagefile.sys 1024 4092", machine.Get(L"ControlSet001")) << "a set Windows does not read";
}
