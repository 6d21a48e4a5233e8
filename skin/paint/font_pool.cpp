#include "skin/paint/font_pool.h"

#include <cwchar>

namespace {
constexpr LONG kBaseHeight = -11;
}

BkFontPool& BkFontPool::Instance() {
    static BkFontPool pool;
    return pool;
}

BkFontPool::BkFontPool() {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_base), &m_base);
    m_base.lfHeight = kBaseHeight;
    m_base.lfQuality = ANTIALIASED_QUALITY;
    wcsncpy(m_base.lfFaceName, L"Tahoma", LF_FACESIZE - 1);
    m_base.lfFaceName[LF_FACESIZE - 1] = L'\0';
    if (HFONT font = ::CreateFontIndirectW(&m_base)) m_fonts[0] = font;
}

BkFontPool::~BkFontPool() {
    for (auto& entry : m_fonts) ::DeleteObject(entry.second);
}

LOGFONTW BkFontPool::FontForKey(const LOGFONTW& base, uint32_t key) {
    LOGFONTW lf = base;
    lf.lfItalic = (key & kItalic) ? TRUE : FALSE;
    lf.lfUnderline = (key & kUnderline) ? TRUE : FALSE;
    lf.lfWeight = (key & kBold) ? FW_BOLD : FW_NORMAL;
    lf.lfHeight = kBaseHeight - static_cast<int8_t>((key >> 8) & 0xFF);
    return lf;
}

HFONT BkFontPool::GetFont(uint32_t key) {
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second;
    LOGFONTW lf = FontForKey(m_base, key);
    HFONT font = ::CreateFontIndirectW(&lf);
    if (font) m_fonts[key] = font;
    return font;
}
