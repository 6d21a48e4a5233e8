#include "optimizer/tools/page_file/memory_dlg.h"

#include <cstdio>

#include "resources/sorvik/tools_dialog_ids.h"
#include "skin/controls/skin_draw.h"
#include "skin/message_box/message_box_dlg.h"
#include "skin/skinned_window/window_base.h"

const wchar_t kPageFileNotChangedText[] =
    L"虚拟内存设置未能更改。更改此设置需要管理员权限,请以管理员身份运行本程序后再试。";

namespace {
constexpr int kFontPixels = -13;  // "宋体" 10 pt at the 96 dpi the layout is drawn for
constexpr int kDragBandRightMargin = 45;
const POINT kWarningIconAt = {15, 45};
const RECT kHeaderBox = {85, 47, 385, 67};
constexpr int kCheckX = 100;
constexpr int kRowsTop = 107;
constexpr int kRowHeight = 20;
constexpr int kRowRight = 360;  // the whole row takes the click, not just the box
constexpr int kLabelX = 147;
constexpr int kTagX = 277;
constexpr int kTextBoxWidth = 200;
const POINT kApplyAt = {285, 240};
const COLORREF kTextColor = RGB(0x2B, 0x4B, 0x64);
const COLORREF kCurrentColor = RGB(0xD2, 0x37, 0x33);
const COLORREF kRecommendedColor = RGB(0x18, 0x7A, 0x2F);

int RowTop(size_t row) {
    return kRowsTop + kRowHeight * static_cast<int>(row);
}

void DrawRowText(HDC dc, const std::wstring& text, int x, int y, int width, COLORREF color, bool bold) {
    SkinFontLook font;
    font.height = kFontPixels;
    font.weight = bold ? FW_BOLD : FW_NORMAL;
    Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap);
    const Gdiplus::RectF box(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y),
                             static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(kRowHeight));
    DrawSkinText(dc, text, font, color, box, &format);
}
}  // namespace

DriveRowLook LookOfDriveRow(const DriveRecord& record) {
    DriveRowLook look;
    look.label = record.letterW + L"盘 剩余 ";
    wchar_t number[32] = {};
    std::swprintf(number, 32, L"%.2f", record.freeGB);
    look.freeSpace = std::wstring(number) + L" G";
    // Two-digit amounts start further left so the decimal points line up.
    look.freeSpaceX = record.freeGB > 10.0f ? 227 : 234;
    look.freeSpaceColor = record.current ? kCurrentColor : record.recommended ? kRecommendedColor : kTextColor;
    if (record.current)
        look.tag = L"（当前）";
    else if (record.recommended)
        look.tag = L"（推荐）";
    return look;
}

std::wstring AdviceHeader(const std::vector<DriveRecord>& survey) {
    std::wstring header = L"您当前虚拟内存值过低,建议移动到";
    for (const DriveRecord& record : survey) {
        if (record.recommended)
            header += record.letterW + L"盘";
    }
    return header;
}

CMemoryDlg::CMemoryDlg() : CLayeredSkinDlg(IDD_MEMORY_ADVICE, kCloseCommand, kDragBandRightMargin) {}

CMemoryDlg::~CMemoryDlg() = default;

bool CMemoryDlg::Create(HWND owner) {
    m_owner = owner;
    return CreateOnce(owner);
}

void CMemoryDlg::OnInit() {
    ::SetWindowTextW(m_hWnd, L"虚拟内存优化");
    m_rows = DriveSurvey();
    if (m_rows.size() > kMaxRows)
        m_rows.resize(kMaxRows);
    m_warningIcon = LoadSkinImage(L"warning_icon1.png");
    Gdiplus::Image* select = LoadSkinImage(L"select.png");
    for (size_t row = 0; row < m_rows.size(); ++row) {
        m_checks.push_back(std::make_unique<SkinCheckBox>());
        SkinCheckBox& check = *m_checks.back();
        check.Create(m_hWnd, static_cast<WORD>(kFirstRowCommand + row));
        check.m_image = select;
        check.SetBounds(kCheckX, RowTop(row), kRowRight, RowTop(row) + kRowHeight);
        check.SetCheck(m_rows[row].recommended);
        AddControl(&check);
    }
    AddFaceButton(kApplyCommand, kApplyAt.x, kApplyAt.y, L"优化");

    RECT over = {};
    if (m_owner)
        ::GetWindowRect(m_owner, &over);
    MONITORINFO monitor = {sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(m_owner ? m_owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    MoveTo(CenteredClampedOrigin(m_owner ? over : monitor.rcWork, WindowSize(), monitor.rcWork));
}

void CMemoryDlg::DrawContent(HDC dc) {
    DrawImageAt(dc, m_warningIcon, kWarningIconAt);
    DrawRowText(dc, AdviceHeader(m_rows), kHeaderBox.left, kHeaderBox.top, kHeaderBox.right - kHeaderBox.left,
                kTextColor, false);
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const DriveRowLook look = LookOfDriveRow(m_rows[row]);
        const int y = RowTop(row);
        DrawRowText(dc, look.label, kLabelX, y, kTextBoxWidth, kTextColor, false);
        DrawRowText(dc, look.freeSpace, look.freeSpaceX, y, kTextBoxWidth, look.freeSpaceColor, true);
        DrawRowText(dc, look.tag, kTagX, y, kTextBoxWidth, kTextColor, false);
    }
}

void CMemoryDlg::OnCommand(WORD id) {
    if (id >= kFirstRowCommand && id < kFirstRowCommand + m_checks.size()) {
        // One choice at a time; clicking the chosen row again keeps it chosen.
        for (size_t row = 0; row < m_checks.size(); ++row)
            m_checks[row]->SetCheck(kFirstRowCommand + row == id);
    } else if (id == kApplyCommand) {
        Apply();
    }
}

void CMemoryDlg::Apply() {
    const DriveRecord* chosen = nullptr;
    for (size_t row = 0; row < m_checks.size(); ++row) {
        if (m_checks[row]->GetCheck())
            chosen = &m_rows[row];
    }
    if (!chosen)
        return;  // nothing chosen, nothing to change or restart for
    const bool written = WritePageFile(chosen->letterA, m_key);
    Hide();
    if (!written) {
        CMessageBoxDlg box(m_owner, kPageFileNotChangedText, kMsgBoxWarning);
        box.DoModal(::GetActiveWindow());
        return;
    }
    if (m_reboot.Create(m_hWnd))
        m_reboot.Show();
}
