// Folder paths as the cache cleaners compare and open them. Functions of their argument, the current
// directory and the file system as it stands; nothing is created or changed.
#pragma once
#include <string>

// True for "X:\..." and "\\server\share\..." (either slash); false for "C:", "\", "cache" and the like.
bool IsAbsoluteFolderPath(const std::wstring& path);

// The absolute folder with ".", ".." and slashes resolved, long names where the folder exists, and no
// trailing backslash except on a drive root ("C:\"); empty for a relative or unusable path.
std::wstring NormalizedFolder(const std::wstring& path);

// Where an existing normalized folder really is, through any junction, link or substituted drive on its
// way ("C:\Documents and Settings\me" is "C:\Users\me"); empty when it cannot be opened.
std::wstring ResolvedFolder(const std::wstring& normalized);

// The server and share names of a "\\server\share..." path; false for any other path.
bool SplitUncRoot(const std::wstring& path, std::wstring& server, std::wstring& share);

// True for "X:\" and "\\server\share" (as NormalizedFolder gives them).
bool IsVolumeRoot(const std::wstring& normalized);

// True when `folder` is `other` or holds it (both normalized; case ignored).
bool FolderContains(const std::wstring& folder, const std::wstring& other);

// The "\\?\" form of a normalized folder, so that deep cache trees stay reachable past MAX_PATH.
std::wstring ExtendedLengthPath(const std::wstring& normalized);
