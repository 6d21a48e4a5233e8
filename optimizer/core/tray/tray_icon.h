// CTrayIcon: the optimizer's notification-area icon, kept in one narrow NOTIFYICONDATAA record for the
// whole run (texts stored in the ANSI code page, cut to the record's fields). Window thread only; the
// results of Shell_NotifyIconA are ignored, as nothing can be done about them.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <string>

class CTrayIcon {
public:
    static constexpr UINT kBalloonTimeout = 5;

    CTrayIcon();
    ~CTrayIcon();  // removes the icon if it is shown
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // NIM_ADD for `owner` with its callback message; `icon` is not owned and must outlive the record.
    void Add(HWND owner, UINT id, UINT callbackMessage, HICON icon, const std::wstring& tip);
    // Adds the icon again with the current texts (the notification area was restarted).
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
    NOTIFYICONDATAA m_data;
    bool m_added = false;
};

// Copies `text` in the ANSI code page into a field of `size` bytes, cut on a character boundary.
void CopyTrayText(char* field, size_t size, const std::wstring& text);
