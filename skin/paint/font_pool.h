// BkFontPool: the process-wide font cache of the optimizer, keyed by a 32-bit style word (value 1
// italic, 2 underline, 4 bold, bits 8-15 a signed number of pixels added to the size). Owns its fonts
// until the pool is destroyed at exit. Window thread only; a font that cannot be made is null.
#pragma once
#include <windows.h>
#include <cstdint>
#include <unordered_map>

class BkFontPool {
public:
    enum : uint32_t { kItalic = 1, kUnderline = 2, kBold = 4 };
    static uint32_t SizeDelta(int pixels) { return (static_cast<uint32_t>(pixels) & 0xFF) << 8; }

    // The one pool, created on first use.
    static BkFontPool& Instance();
    virtual ~BkFontPool();
    BkFontPool(const BkFontPool&) = delete;
    BkFontPool& operator=(const BkFontPool&) = delete;

    HFONT GetFont(uint32_t key);
    const LOGFONTW& BaseFont() const { return m_base; }

    // The LOGFONT a key stands for, derived from `base`.
    static LOGFONTW FontForKey(const LOGFONTW& base, uint32_t key);

protected:
    BkFontPool();

private:
    LOGFONTW m_base = {};
    std::unordered_map<uint32_t, HFONT> m_fonts;  // owned
};
