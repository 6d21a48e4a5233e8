#include "optimizer/core/tray/tray_icon.h"

#include <cstring>

#include "common/text_encoding.h"

void CopyTrayText(char* field, size_t size, const std::wstring& text) {
    if (size == 0)
        return;
    std::string narrow = WideToAnsi(text);
    if (narrow.size() >= size) {
        // Cut before the character that does not fit, never inside a double-byte one.
        size_t end = 0;
        for (size_t i = 0; i < narrow.size();) {
            const size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(narrow[i])) && i + 1 < narrow.size() ? 2 : 1;
            if (i + step > size - 1)
                break;
            i += step;
            end = i;
        }
        narrow.resize(end);
    }
    std::memcpy(field, narrow.c_str(), narrow.size() + 1);
}

TrayShellCall& TrayShell() {
    static TrayShellCall call = ::Shell_NotifyIconA;
    return call;
}

bool AllowTaskbarCreated(HWND window, UINT message) {
    // Looked up at run time: older systems have no message filter, and need none.
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const auto filter = reinterpret_cast<FilterFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    return filter && filter(window, message, MSGFLT_ALLOW, nullptr);
}

// The record the notification area has known since Windows XP: 504 bytes in a 32-bit program.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V3_SIZE == 504, "the narrow version-3 record");

CTrayIcon::CTrayIcon() : m_data() {
    m_data.cbSize = NOTIFYICONDATAA_V3_SIZE;
    m_data.uTimeout = kBalloonTimeout;
}

CTrayIcon::~CTrayIcon() {
    Delete();
}

void CTrayIcon::Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::wstring& tip) {
    m_data.hWnd = owner;
    m_data.uID = id;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = icon;
    CopyTrayText(m_data.szTip, sizeof(m_data.szTip), tip);
    AddWith(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO);
}

void CTrayIcon::AddAgain() {
    // The record still holds the last balloon's text; with NIF_INFO it would pop up once more.
    AddWith(NIF_MESSAGE | NIF_ICON | NIF_TIP);
}

void CTrayIcon::AddWith(UINT flags) {
    if (!m_data.hWnd)
        return;
    m_data.uFlags = flags;
    TrayShell()(NIM_ADD, &m_data);
    m_added = true;
}

void CTrayIcon::ShowBalloon(const std::wstring& text, const std::wstring& title) {
    if (!m_added)
        return;
    ::SetForegroundWindow(m_data.hWnd);
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    m_data.dwInfoFlags = NIIF_INFO;
    CopyTrayText(m_data.szInfo, sizeof(m_data.szInfo), text);
    CopyTrayText(m_data.szInfoTitle, sizeof(m_data.szInfoTitle), title);
    TrayShell()(NIM_MODIFY, &m_data);
}

void CTrayIcon::SetTip(const std::wstring& tip) {
    CopyTrayText(m_data.szTip, sizeof(m_data.szTip), tip);
    if (!m_added)
        return;
    m_data.uFlags = NIF_TIP;
    TrayShell()(NIM_MODIFY, &m_data);
}

void CTrayIcon::Delete() {
    if (!m_added)
        return;
    TrayShell()(NIM_DELETE, &m_data);
    m_added = false;
}

std::wstring CTrayIcon::Tip() const {
    return AnsiToWide(m_data.szTip);
}

std::wstring CTrayIcon::BalloonText() const {
    return AnsiToWide(m_data.szInfo);
}
