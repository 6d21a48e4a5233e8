// Sizes and deletion of cache folder trees, on the caller's thread. Both check the sink's stop request
// before every entry and never enter a junction or symbolic link; `folder` is a normalized absolute
// folder (as CFolderGuard::Admit gives it).
#pragma once
#include <cstdint>
#include <string>

#include "optimizer/tools/repair/cache_cleaning/cleaning_sink.h"

// Bytes in the files of the folder and its sub-folders, 64-bit; 0 for a folder that cannot be searched.
uint64_t FolderSize(const std::wstring& folder, CleaningSink& sink);

// Deletes the files and sub-folders, then the folder itself, reporting each deleted file's size. A file
// another program has open stays and is not counted; a link is removed itself, never what it points to;
// other failures are skipped. False when stopped (the folder then keeps what was not reached).
bool DeleteFolderTree(const std::wstring& folder, CleaningSink& sink);
