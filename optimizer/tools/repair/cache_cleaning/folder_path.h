// Folder paths as the cache cleaners compare and open them. Plain functions of their argument and the
// current directory; nothing is created or changed.
#pragma once
#include <string>

// True for "X:\..." and "\\server\share\..." (either slash); false for "C:", "\", "cache" and the like.
bool IsAbsoluteFolderPath(const std::wstring& path);

// The absolute folder with ".", ".." and slashes resolved, long names where the folder exists, and no
// trailing backslash except on a drive root ("C:\"); empty for a relative or unusable path.
std::wstring NormalizedFolder(const std::wstring& path);

// True for "X:\" and "\\server\share" (as NormalizedFolder gives them).
bool IsVolumeRoot(const std::wstring& normalized);

// True when `folder` is `other` or holds it (both normalized; case ignored).
bool FolderContains(const std::wstring& folder, const std::wstring& other);

// The "\\?\" form of a normalized folder, so that deep cache trees stay reachable past MAX_PATH.
std::wstring ExtendedLengthPath(const std::wstring& normalized);
