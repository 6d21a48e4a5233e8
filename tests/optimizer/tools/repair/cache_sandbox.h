// Test support for the cache cleaners: a folder of one test's own under the temporary folder, where
// cache trees, the settings file and the redirected user folders live. It is removed with everything in
// it afterwards, never following a link out of it.
#pragma once
#include <windows.h>

#include <string>

class CCacheSandbox {
public:
    CCacheSandbox();
    ~CCacheSandbox();
    CCacheSandbox(const CCacheSandbox&) = delete;
    CCacheSandbox& operator=(const CCacheSandbox&) = delete;

    // The absolute path of `relative` inside the sandbox (the sandbox itself when empty).
    std::wstring Path(const std::wstring& relative = {}) const;
    void AddFolder(const std::wstring& relative) const;
    void AddFile(const std::wstring& relative, size_t bytes) const;  // makes the folders on the way
    bool Exists(const std::wstring& relative) const;
    size_t CountFiles(const std::wstring& relative = {}) const;  // in the whole tree, links not followed

    // Points APPDATA, TMP and TEMP at "appdata" and "temp\" inside the sandbox until it is removed.
    void RedirectUserFolders();
    // Writes sc_center.ini under the redirected APPDATA with "VARNIOCACHE" = value; nullptr: no key.
    void WriteCacheSetting(const wchar_t* value) const;

    // Makes the folder `link` a junction to `target`, both inside. Wine cannot make junctions; there it is a
    // symbolic link, which Wine shows as a reparse point just the same.
    bool MakeFolderLink(const std::wstring& link, const std::wstring& target) const;

private:
    std::wstring m_root;  // with a trailing backslash
    std::wstring m_savedAppData, m_savedTmp, m_savedTemp;
    bool m_redirected = false;
};

// Maps a free drive letter to a sandbox folder and makes a folder inside it the current directory, so
// that "\", "/" and "X:" all lead into the sandbox. Undone by the destructor.
class CSandboxDrive {
public:
    explicit CSandboxDrive(const CCacheSandbox& sandbox);
    ~CSandboxDrive();
    CSandboxDrive(const CSandboxDrive&) = delete;
    CSandboxDrive& operator=(const CSandboxDrive&) = delete;

    // True once the letter shows the sandbox and "\" resolves to its root; nothing may run otherwise.
    bool Ready() const { return m_ready; }
    std::wstring Letter() const { return std::wstring(1, m_letter) + L":"; }

private:
    wchar_t m_letter = 0;
    std::string m_unixLink;  // Wine: the drive's link in the prefix; empty elsewhere
    std::wstring m_savedDirectory;
    bool m_ready = false;
};

// Runs a command of the host's shell under Wine and waits for it; false elsewhere or when it does not end.
bool RunHostCommand(const std::wstring& command);
// The host path of a Windows path under Wine; empty elsewhere.
std::string HostPath(const std::wstring& path);
