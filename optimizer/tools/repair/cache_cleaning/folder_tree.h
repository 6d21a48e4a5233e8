// Sizes and deletion of cache folder trees, on the caller's thread. Both check the sink's stop request
// before every entry and never enter a junction or symbolic link inside the tree; `folder` is a
// normalized absolute folder (as CFolderGuard::Admit gives it). A folder that is itself a link stands for
// the folder it leads to: that one is measured and emptied, and the link stays.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "optimizer/tools/repair/cache_cleaning/cleaning_sink.h"

// Only mount points (junctions) and symbolic links lead elsewhere. Other reparse points - compressed,
// deduplicated or cloud placeholder files - are files or folders of the tree like any other. A reparse
// point whose tag the system does not tell (Wine's links) is taken as a link: following it could lead
// anywhere.
bool IsLinkEntry(DWORD attributes, DWORD reparseTag);

// Bytes in the files of the folder and its sub-folders, 64-bit; 0 for a folder that cannot be searched.
uint64_t FolderSize(const std::wstring& folder, CleaningSink& sink);

enum class TreeResult {
    Done,        // everything that could go went; a missing folder counts as done
    Stopped,     // the sink asked; the folder keeps what was not reached
    Unreadable,  // the folder or a folder inside it is there but could not be listed
};

// Deletes the files and sub-folders, then the folder itself, reporting each deleted file's size. A file
// another program has open stays and is not counted; a link inside is removed itself, never what it
// points to; other failures are skipped.
TreeResult DeleteFolderTree(const std::wstring& folder, CleaningSink& sink);
