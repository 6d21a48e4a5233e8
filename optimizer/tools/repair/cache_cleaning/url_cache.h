// Empties the system's URL cache (the browser cache shared through WinINet), on the caller's thread.
#pragma once
#include "optimizer/tools/repair/cache_cleaning/cleaning_sink.h"

// Deletes every entry, reporting each deleted entry's size; asks the sink before each entry. Entries
// that cannot be deleted are skipped. False when stopped.
bool ClearUrlCache(CleaningSink& sink);
