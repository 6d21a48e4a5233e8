#include "updater/dialogs/updater_dialog.h"

#include "resources/tavisk/tavisk_resource.h"
#include "skin/controls/button.h"
#include "skin/controls/image.h"
#include "skin/controls/link.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/text.h"
#include "skin/files/skin_manage.h"
#include "updater/dialogs/dialog_effects.h"
#include "updater/dialogs/dialog_placement.h"

namespace {
// Answer to the frame's question about a caption-band point that belongs to one of our controls.
constexpr LRESULT kKeepPointForDialog = 1983;

HICON LoadProgramIcon(int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVISK), IMAGE_ICON,
                                           ::GetSystemMetrics(metricX), ::GetSystemMetrics(metricY), 0));
}

template <typename Control>
bool AnyVisibleAt(const std::vector<Control*>& controls, POINT client) {
    for (const SkinControl* control : controls) {
        const RECT r = control->GetRect();
        if (control->IsVisible() && ::PtInRect(&r, client))
            return true;
    }
    return false;
}
}  // namespace

CUpdaterDialog::CUpdaterDialog(UINT templateId,
                               const DialogContext& context,
                               const wchar_t* frameIni,
                               const wchar_t* controlIni,
                               bool modeless)
    : CDialogImpl(templateId),
      m_context(context),
      m_frameIni(frameIni),
      m_controlIni(controlIni),
      m_modeless(modeless),
      m_filter(*this) {}

CUpdaterDialog::~CUpdaterDialog() {
    // Destroyed here, while the frame and the controls still exist to see the last messages.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

std::wstring CUpdaterDialog::SkinFolder() const {
    return m_context.skin->SkinFolder();
}

void CUpdaterDialog::InitFrame(HWND hwnd) {
    m_bigIcon.Reset(LoadProgramIcon(SM_CXICON, SM_CYICON));
    m_smallIcon.Reset(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
    ::SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
    ::SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));

    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, kMovrelDialogSize.cx, kMovrelDialogSize.cy, SWP_NOMOVE);
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    const bool visibleOwner = owner && ::IsWindowVisible(owner);
    MONITORINFO monitor = {sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(visibleOwner ? owner : hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT ownerRect = {};
    if (visibleOwner)
        ::GetWindowRect(owner, &ownerRect);
    const POINT at = CentredPosition(kMovrelDialogSize, visibleOwner ? &ownerRect : nullptr, monitor.rcWork);
    ::SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (m_modeless) {
        if (CMessageLoop* loop = CMessageLoop::ForThisThread()) {
            loop->AddMessageFilter(&m_filter);
            m_filterAdded = true;
        }
    }
    m_frame.SetFrame(m_context.skin->Frame(), m_context.skin->Images());
    m_frame.LoadPanels(SkinFolder() + m_frameIni, SkinFolder());
    m_frame.Attach(hwnd);
}

template <typename T>
T* CUpdaterDialog::Keep(const wchar_t* section, std::unique_ptr<T> control) {
    T* raw = control.get();
    m_controls.emplace_back(section, std::move(control));
    return raw;
}

SkinButton* CUpdaterDialog::AddButton(const wchar_t* section, WORD id) {
    auto button = std::make_unique<SkinButton>();
    button->Create(m_hWnd, id);
    button->Load(section, SkinFolder() + m_controlIni, m_context.skin->Images());
    m_pointerTargets.push_back(button.get());
    return Keep(section, std::move(button));
}

SkinLink* CUpdaterDialog::AddLink(const wchar_t* section, WORD id) {
    auto link = std::make_unique<SkinLink>();
    link->Create(m_hWnd, id);
    link->Load(section, SkinFolder() + m_controlIni);
    m_pointerTargets.push_back(link.get());
    m_links.push_back(link.get());
    return Keep(section, std::move(link));
}

SkinText* CUpdaterDialog::AddText(const wchar_t* section) {
    auto text = std::make_unique<SkinText>();
    text->Create(m_hWnd, 0xFFFF, true);
    text->Load(section, SkinFolder() + m_controlIni);
    return Keep(section, std::move(text));
}

SkinImage* CUpdaterDialog::AddImage(const wchar_t* section) {
    auto image = std::make_unique<SkinImage>();
    image->Create(m_hWnd, true);
    image->Load(section, SkinFolder() + m_controlIni, m_context.skin->Images());
    return Keep(section, std::move(image));
}

SkinProgressBar* CUpdaterDialog::AddProgressBar(const wchar_t* section, WORD id) {
    auto bar = std::make_unique<SkinProgressBar>();
    bar->Create(m_hWnd, id, 0, 100);
    bar->Load(section, SkinFolder() + m_controlIni, m_context.skin->Images());
    return Keep(section, std::move(bar));
}

SkinControl* CUpdaterDialog::FindControl(const std::wstring& section) const {
    for (const auto& entry : m_controls) {
        if (entry.first == section)
            return entry.second.get();
    }
    return nullptr;
}

void CUpdaterDialog::EndProcessOrDialog(int exitCode, INT_PTR result) {
    EndProcessNow(exitCode);
    EndDialog(result);
}

bool CUpdaterDialog::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (auto& entry : m_controls)
        entry.second->OnMessage(hwnd, message, wParam, lParam);
    if (message != WM_INITDIALOG && OnDialogMessage(message, wParam, lParam, result))
        return true;
    switch (message) {
        case WM_INITDIALOG:
            InitFrame(hwnd);
            OnInit();
            result = TRUE;
            return true;
        case WM_ERASEBKGND: {  // from the frame, with its off-screen DC
            HDC dc = reinterpret_cast<HDC>(wParam);
            for (auto& entry : m_controls)
                entry.second->Paint(dc);
            PaintOver(dc);
            result = 1;
            return true;
        }
        case WM_SETCURSOR: {
            POINT cursor = {};
            ::GetCursorPos(&cursor);
            ::ScreenToClient(hwnd, &cursor);
            if (!AnyVisibleAt(m_links, cursor))
                return false;
            ::SetCursor(SkinLink::HandCursor());
            result = TRUE;
            return true;
        }
        case WM_NCHITTEST: {  // the frame asking about its caption band
            if (wParam != reinterpret_cast<WPARAM>(hwnd))
                return false;
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ScreenToClient(hwnd, &point);
            if (!AnyVisibleAt(m_pointerTargets, point))
                return false;
            result = kKeepPointForDialog;
            return true;
        }
        case WM_COMMAND:
            // Buttons also report the mouse entering and leaving them (high words 256 and 257).
            if (HIWORD(wParam) != 0)
                return false;
            OnCommand(LOWORD(wParam));
            result = 0;
            return true;
        case WM_DESTROY:
            if (m_filterAdded) {
                if (CMessageLoop* loop = CMessageLoop::ForThisThread())
                    loop->RemoveMessageFilter(&m_filter);
                m_filterAdded = false;
            }
            return false;
        default:
            return false;
    }
}
