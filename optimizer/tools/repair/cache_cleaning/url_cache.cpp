#include "optimizer/tools/repair/cache_cleaning/url_cache.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

#include "common/handles.h"

namespace {

struct UrlCacheFind : handle_traits::NullEmpty<HANDLE> {
    static void Close(Handle h) { ::FindCloseUrlCache(h); }
};
using AutoUrlCacheFind = AutoOwner<UrlCacheFind>;

// An entry buffer that grows to the size the cache asks for; one retry per entry.
class EntryBuffer {
public:
    EntryBuffer() : m_bytes(4096) {}
    INTERNET_CACHE_ENTRY_INFOW* Entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(m_bytes.data()); }

    template <typename Find>
    bool Fill(Find find) {
        DWORD size = static_cast<DWORD>(m_bytes.size());
        if (find(Entry(), &size))
            return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= m_bytes.size())
            return false;
        m_bytes.resize(size);
        return find(Entry(), &size);
    }

private:
    std::vector<BYTE> m_bytes;
};

}  // namespace

bool ClearUrlCache(CleaningSink& sink) {
    EntryBuffer buffer;
    HANDLE first = nullptr;
    const bool found = buffer.Fill([&](INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) {
        first = ::FindFirstUrlCacheEntryW(nullptr, entry, size);
        return first != nullptr;
    });
    if (!found)
        return !sink.StopRequested();
    AutoUrlCacheFind search(first);
    do {
        if (sink.StopRequested())
            return false;
        const INTERNET_CACHE_ENTRY_INFOW* entry = buffer.Entry();
        if (entry->lpszSourceUrlName && ::DeleteUrlCacheEntryW(entry->lpszSourceUrlName)) {
            sink.Deleted((uint64_t(entry->dwSizeHigh) << 32) | entry->dwSizeLow);
        }
    } while (buffer.Fill([&](INTERNET_CACHE_ENTRY_INFOW* entry, DWORD* size) {
        return ::FindNextUrlCacheEntryW(search.Get(), entry, size) != FALSE;
    }));
    return true;
}
