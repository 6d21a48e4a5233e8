// CTrayIcon: the optimizer's notification-area icon, kept in one narrow NOTIFYICONDATAA record for the
// whole run (texts stored in the ANSI code page, cut to the record's fields). Window thread only, but for
// the creation's Add, which a helper makes while the window thread waits to join it; the results of
// Shell_NotifyIconA are ignored, as nothing can be done about them.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

// The shell call behind every change of the icon. Process-wide and replaceable, so that tests can see what
// the notification area is told; window thread only.
using TrayShellCall = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
TrayShellCall& TrayShell();

// Lets the notification area's "TaskbarCreated" broadcast through to an elevated copy, whose windows take
// no messages from lower rights unless told to. False where the system cannot filter (before Windows 7).
bool AllowTaskbarCreated(HWND window, UINT message);

class CTrayIcon {
public:
    static constexpr UINT kBalloonTimeout = 5;

    CTrayIcon();
    ~CTrayIcon();  // removes the icon if it is shown
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // NIM_ADD for `owner` with its callback message; `icon` is not owned and must outlive the record.
    void Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::wstring& tip);
    // Adds the icon again with the current tooltip (the notification area was restarted); the last balloon
    // is not shown again.
    void AddAgain();
    // Brings the owner forward and shows a balloon titled `title` with the information icon.
    void ShowBalloon(const std::wstring& text, const std::wstring& title);
    void SetTip(const std::wstring& tip);
    void Delete();

    bool IsAdded() const { return m_added; }
    std::wstring Tip() const;          // as stored in the record
    std::wstring BalloonText() const;  // the last balloon's text
    const NOTIFYICONDATAA& Record() const { return m_data; }

private:
    void AddWith(UINT flags);
    NOTIFYICONDATAA m_data;
    bool m_added = false;
};

// Copies `text` in the ANSI code page into a field of `size` bytes, cut on a character boundary.
void CopyTrayText(char* field, size_t size, const std::wstring& text);
