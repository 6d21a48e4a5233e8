#include "optimizer/tools/page_file/layered_skin_dlg.h"

#include <windowsx.h>

#include "common/handles.h"
#include "skin/files/ini_values.h"
#include "skin/files/skin_paths.h"
#include "skin/paint/layered_paint.h"

namespace {
constexpr int kDragBandHeight = 30;
constexpr int kCloseFromRight = 35;
constexpr int kCloseTop = 4;
constexpr int kCloseFrames = 4;
constexpr int kFaceFrames = 3;
}  // namespace

CLayeredSkinDlg::CLayeredSkinDlg(UINT templateId, WORD closeCommand, int dragBandRightMargin)
    : CDialogImpl(templateId),
      m_closeCommand(closeCommand),
      m_dragBandRightMargin(dragBandRightMargin),
      m_captionColor(kSkinDefaultTextColor) {}

CLayeredSkinDlg::~CLayeredSkinDlg() {
    DropKeyboardFilter();
}

void CLayeredSkinDlg::DropKeyboardFilter() {
    if (!m_keyboard)
        return;
    if (CMessageLoop* loop = CMessageLoop::ForThisThread())
        loop->RemoveMessageFilter(m_keyboard.get());
    m_keyboard.reset();
}

bool CLayeredSkinDlg::CreateOnce(HWND owner) {
    if (m_hWnd)
        return true;
    return CDialogImpl::Create(owner) != nullptr;
}

void CLayeredSkinDlg::Show() {
    if (!m_hWnd)
        return;
    // Enter and Escape reach a modeless dialog only through the thread's message loop.
    CMessageLoop* loop = CMessageLoop::ForThisThread();
    if (!m_keyboard && loop) {
        m_keyboard = std::make_unique<CDialogMessageFilter>(*this);
        loop->AddMessageFilter(m_keyboard.get());
    }
    ::ShowWindow(m_hWnd, SW_SHOW);
}

void CLayeredSkinDlg::Hide() {
    if (m_hWnd)
        ::ShowWindow(m_hWnd, SW_HIDE);
}

Gdiplus::Image* CLayeredSkinDlg::LoadSkinImage(const wchar_t* file) {
    return m_images.Get(m_images.Append(OptimizerSkinFolder(ProgramFolder()) + file));
}

SkinButton& CLayeredSkinDlg::AddButton(WORD id,
                                       Gdiplus::Image* image,
                                       int frames,
                                       int x,
                                       int y,
                                       const std::wstring& caption) {
    m_buttons.push_back(std::make_unique<SkinButton>());
    SkinButton& button = *m_buttons.back();
    button.Create(m_hWnd, id);
    button.m_image = image;
    button.SetText(caption);
    button.m_textColor = m_captionColor;
    const int width = static_cast<int>(SkinImageWidth(image)) / frames;
    button.SetBounds(x, y, x + width, y + static_cast<int>(SkinImageHeight(image)));
    AddControl(&button);
    return button;
}

SkinButton& CLayeredSkinDlg::AddFaceButton(WORD id, int x, int y, const std::wstring& caption) {
    return AddButton(id, m_buttonFace, kFaceFrames, x, y, caption);
}

SIZE CLayeredSkinDlg::WindowSize() const {
    return {static_cast<LONG>(SkinImageWidth(m_background)), static_cast<LONG>(SkinImageHeight(m_background))};
}

void CLayeredSkinDlg::MoveTo(POINT origin) {
    ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLayeredSkinDlg::OnInitDialog(HWND hwnd) {
    m_background = LoadSkinImage(L"win_bg.png");
    Gdiplus::Image* close = LoadSkinImage(L"close.png");
    m_buttonFace = LoadSkinImage(L"common_button_bg.png");
    // The same face as the message box's OK button, so the same caption colour reads on it.
    ReadIniCColor(OptimizerSkinFolder(ProgramFolder()) + L"VarnioTip.ini", L"OKBtn", L"TextColor", m_captionColor);

    const SIZE size = WindowSize();
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    AddButton(m_closeCommand, close, kCloseFrames, size.cx - kCloseFromRight, kCloseTop);
    OnInit();
    Repaint();
}

void CLayeredSkinDlg::OnFinalMessage(HWND) {
    DropKeyboardFilter();
}

void CLayeredSkinDlg::Repaint() {
    ScopedGetDC screen(nullptr);
    Paint(screen.Get());
}

void CLayeredSkinDlg::Paint(HDC screenDc) {
    PaintLayeredWindow(m_hWnd, screenDc, [this](Gdiplus::Graphics&, HDC dc) { Render(dc); });
}

void CLayeredSkinDlg::DrawImageAt(HDC dc, Gdiplus::Image* image, POINT at) {
    if (!image)
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(image, static_cast<INT>(at.x), static_cast<INT>(at.y), static_cast<INT>(SkinImageWidth(image)),
                       static_cast<INT>(SkinImageHeight(image)));
}

void CLayeredSkinDlg::Render(HDC dc) {
    DrawImageAt(dc, m_background, {0, 0});
    DrawContent(dc);
    for (SkinControl* control : m_controls)
        control->Paint(dc);
}

void CLayeredSkinDlg::Forward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (SkinControl* control : m_controls)
        control->OnMessage(hwnd, message, wParam, lParam);
}

bool CLayeredSkinDlg::InDragBand(LPARAM lParam) const {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.y < 0 || at.y >= kDragBandHeight || at.x < 0 || at.x >= WindowSize().cx - m_dragBandRightMargin)
        return false;
    // A move loop would swallow the button-up, so a press on a button (the close button lies in the
    // band) must stay a click.
    for (const auto& button : m_buttons) {
        const RECT r = button->GetRect();
        if (button->IsVisible() && ::PtInRect(&r, at))
            return false;
    }
    return true;
}

bool CLayeredSkinDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(hwnd);
            result = FALSE;  // no focus change: the dialog is only shown later
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(hwnd, &ps);
            ::EndPaint(hwnd, &ps);
            Repaint();
            return true;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            m_mouseLeave.OnMessage(hwnd, message);
            Forward(hwnd, message, wParam, lParam);
            return true;
        case WM_LBUTTONDOWN:
            Forward(hwnd, message, wParam, lParam);
            if (InDragBand(lParam)) {
                POINT screen = {};
                ::GetCursorPos(&screen);
                ::SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
            }
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != 0)
                return false;
            // Enter and Escape (IDOK, IDCANCEL) close the dialog like its close button; the optimizer
            // keeps running.
            if (LOWORD(wParam) == m_closeCommand || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
                Hide();
            else
                OnCommand(LOWORD(wParam));
            return true;
        default:
            return false;
    }
}
