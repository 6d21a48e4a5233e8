// CMemoryDlg: the page-file advice dialog, a layered modeless window owned by the main window. Created
// once on first use, then only shown and hidden. It lists the start-up drive survey (at most four
// drives), marks the current and the recommended drive, and on "优化" moves the page file to the
// checked drive, then offers a restart; a refused write (no administrator rights) is reported in the
// skinned message box instead. Owns the reboot prompt. Window thread only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "optimizer/tools/page_file/layered_skin_dlg.h"
#include "optimizer/tools/page_file/reboot_dlg.h"
#include "optimizer/tools/page_file/system/drive_survey.h"
#include "optimizer/tools/page_file/system/paging_files.h"
#include "skin/controls/check_box.h"

// How one drive row reads: "D盘 剩余 ", the free space in its colour and place, and its tag.
struct DriveRowLook {
    std::wstring label;
    std::wstring freeSpace;
    int freeSpaceX = 0;
    COLORREF freeSpaceColor = 0;
    std::wstring tag;  // "（当前）", "（推荐）" or empty
};
DriveRowLook LookOfDriveRow(const DriveRecord& record);
// The sentence above the rows, naming the recommended drive.
std::wstring AdviceHeader(const std::vector<DriveRecord>& survey);
// What the skinned message box says when the setting cannot be changed.
extern const wchar_t kPageFileNotChangedText[];

class CMemoryDlg : public CLayeredSkinDlg {
public:
    enum Commands : WORD { kFirstRowCommand = 21, kCloseCommand = 1501, kApplyCommand = 1502 };
    static constexpr size_t kMaxRows = 4;

    CMemoryDlg();
    ~CMemoryDlg() override;

    bool Create(HWND owner);  // false when the window cannot be created
    using CLayeredSkinDlg::Show;

    // Where the setting is written (the machine's key unless a test says otherwise).
    void SetPageFileKey(const PageFileKey& key) { m_key = key; }
    HWND GetRebootHwnd() const { return m_reboot.GetHwnd(); }

private:
    void OnInit() override;
    void DrawContent(HDC dc) override;
    void OnCommand(WORD id) override;
    void Apply();

    HWND m_owner = nullptr;  // not owned
    PageFileKey m_key;
    std::vector<DriveRecord> m_rows;
    std::vector<std::unique_ptr<SkinCheckBox>> m_checks;
    Gdiplus::Image* m_warningIcon = nullptr;
    CReBootDlg m_reboot;
};
