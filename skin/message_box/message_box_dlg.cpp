#include "skin/message_box/message_box_dlg.h"

#include "common/handles.h"
#include "resources/skin_dialog_ids.h"
#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/skin_paths.h"
#include "skin/paint/layered_paint.h"

namespace {
constexpr int kNoCheckBoxDrop = 30;   // buttons sit lower when the check box row is absent
constexpr int kNoCancelShift = 45;    // a lone OK button moves towards the middle
constexpr int kIconTop = 50;
constexpr RECT kTextRect = {60, 100, 355, 200};

SIZE SizeOf(Gdiplus::Image* image) {
    if (!image) return {0, 0};
    return {static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
}
}  // namespace

const wchar_t* MessageBoxIconFile(UINT flags) {
    if (flags & kMsgBoxQuestion) return L"question_icon.png";
    if (flags & kMsgBoxWarning) return L"warning_big_icon.png";
    return nullptr;
}

void ArrangeMessageBoxButtons(UINT flags, RECT& ok, RECT& cancel) {
    if (!(flags & kMsgBoxCheckBox)) {
        OffsetRect(&ok, 0, kNoCheckBoxDrop);
        OffsetRect(&cancel, 0, kNoCheckBoxDrop);
    }
    if (!(flags & kMsgBoxCancel)) OffsetRect(&ok, kNoCancelShift, 0);
}

CMessageBoxDlg::CMessageBoxDlg(HWND parent, const std::wstring& text, UINT flags)
    : CDialogImpl(IDD_SKIN_MESSAGE_BOX), m_parent(parent), m_text(text), m_flags(flags) {}

CMessageBoxDlg::~CMessageBoxDlg() = default;  // the base destroys a window that still exists

void CMessageBoxDlg::SetOkNotify(bool on, const std::wstring& text, HWND window) {
    m_okNotify = on;
    m_okNotifyText = text;
    m_okNotifyWindow = window;
}

INT_PTR CMessageBoxDlg::DoModal(HWND owner) { return CDialogImpl::DoModal(owner); }

SIZE CMessageBoxDlg::IconSize() const { return SizeOf(m_icon.get()); }

void CMessageBoxDlg::OnInitDialog(HWND hwnd) {
    const std::wstring folder = OptimizerSkinFolder(ProgramFolder());
    m_background = LoadDrawableSkinBitmap(folder + L"varniotipbg.png");
    if (const wchar_t* icon = MessageBoxIconFile(m_flags)) m_icon = LoadDrawableSkinBitmap(folder + icon);

    const SIZE size = SizeOf(m_background.get());
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, size.cx, size.cy, SWP_NOMOVE);
    if (m_parent && ::IsWindow(m_parent)) {
        RECT over = {}, self = {};
        ::GetWindowRect(m_parent, &over);
        ::GetWindowRect(hwnd, &self);
        ::SetWindowPos(hwnd, nullptr, over.left + (over.right - over.left - size.cx) / 2,
                       over.top + (over.bottom - over.top - size.cy) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    m_ok.Create(hwnd, IDOK);
    if (m_flags & kMsgBoxCancel) m_cancel.Create(hwnd, IDCANCEL);
    if (m_flags & kMsgBoxCheckBox) m_checkBox.Create(hwnd, kMsgBoxCheckBoxId);

    m_images.Clear();
    m_images.Append(folder + L"common_button_bg.png");
    const std::wstring ini = folder + L"VarnioTip.ini";
    m_ok.Load(L"OKBtn", ini, m_images);
    if (m_flags & kMsgBoxCancel) m_cancel.Load(L"CancelBtn", ini, m_images);

    RECT ok = m_ok.GetRect(), cancel = m_cancel.GetRect();
    ArrangeMessageBoxButtons(m_flags, ok, cancel);
    m_ok.SetBounds(ok.left, ok.top, ok.right, ok.bottom);
    if (m_flags & kMsgBoxCancel) m_cancel.SetBounds(cancel.left, cancel.top, cancel.right, cancel.bottom);

    ScopedGetDC screen(nullptr);
    Paint(screen.Get());
    if (m_parent) ::SendMessageW(m_parent, WM_MSGBOX_NOTIFY, 0, 1);
}

void CMessageBoxDlg::Paint(HDC screenDc) {
    PaintLayeredWindow(m_hWnd, screenDc, [this](Gdiplus::Graphics& g, HDC dc) {
        const SIZE back = SizeOf(m_background.get());
        if (m_background) g.DrawImage(m_background.get(), 0, 0, back.cx, back.cy);
        if (m_icon) {
            const SIZE icon = SizeOf(m_icon.get());
            g.DrawImage(m_icon.get(), (back.cx - icon.cx) / 2, kIconTop, icon.cx, icon.cy);
        }
        g.Flush();
        SkinFontLook font;
        font.height = 14;
        Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(kTextRect.left), static_cast<Gdiplus::REAL>(kTextRect.top),
                              static_cast<Gdiplus::REAL>(kTextRect.right - kTextRect.left),
                              static_cast<Gdiplus::REAL>(kTextRect.bottom - kTextRect.top));
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        DrawSkinText(dc, m_text, font, m_textColor, layout, &format);
        m_ok.Paint(dc);
        if (m_flags & kMsgBoxCancel) m_cancel.Paint(dc);
        if (m_flags & kMsgBoxCheckBox) m_checkBox.Paint(dc);
    });
}

void CMessageBoxDlg::ForwardToControls(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    m_ok.OnMessage(hwnd, message, wParam, lParam);
    if (m_flags & kMsgBoxCancel) m_cancel.OnMessage(hwnd, message, wParam, lParam);
    if (m_flags & kMsgBoxCheckBox) m_checkBox.OnMessage(hwnd, message, wParam, lParam);
}

bool CMessageBoxDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(hwnd);
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd, &ps);
            ScopedGetDC screen(nullptr);
            Paint(screen.Get());
            ::EndPaint(hwnd, &ps);
            return true;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            m_mouseLeave.OnMessage(hwnd, message);
            ForwardToControls(hwnd, message, wParam, lParam);
            return true;
        case WM_KEYDOWN:
            return true;
        case WM_SHOWWINDOW:
            result = 1;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != 0) return false;
            if (LOWORD(wParam) == IDOK) {
                if (m_okNotify && m_okNotifyWindow) {
                    ::SendMessageW(m_okNotifyWindow, WM_MSGBOX_NOTIFY, 1,
                                   reinterpret_cast<LPARAM>(m_okNotifyText.c_str()));
                }
                EndDialog(IDOK);
                return true;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                if (m_parent) ::SendMessageW(m_parent, WM_MSGBOX_NOTIFY, 0, 0);
                m_okNotify = false;
                EndDialog(IDCANCEL);
                return true;
            }
            return false;
        default:
            return false;
    }
}
