#include "skin/controls/skin_fonts.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

AutoFont CreateSkinFont(const SkinFontLook& look) {
    return AutoFont(::CreateFontW(look.height, 0, 0, 0, look.weight, FALSE, look.underline ? TRUE : FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, look.face));
}

namespace {

// When the mapper resolves the skin's face to a bitmap font, the text is drawn in the skin's usual
// face, or else the system's dialog face, at the same size and weight.
std::unique_ptr<Gdiplus::Font> FontInFace(HDC dc, SkinFontLook look, const wchar_t* face) {
    look.face = face;
    if (look.height < 0) {
        // A negative height is the em size in pixels, and GDI+ is asked for exactly that: a font made from
        // the GDI font is sized from its cell under Wine and comes out a pixel larger for faces with tall
        // ascenders, which is enough to push a fixed line out of its panel.
        const Gdiplus::FontFamily family(face);
        if (family.GetLastStatus() == Gdiplus::Ok && family.IsAvailable()) {
            int style = look.weight >= FW_SEMIBOLD ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
            if (look.underline)
                style |= Gdiplus::FontStyleUnderline;
            auto font = std::make_unique<Gdiplus::Font>(&family, static_cast<Gdiplus::REAL>(-look.height), style,
                                                        Gdiplus::UnitPixel);
            if (font->GetLastStatus() == Gdiplus::Ok)
                return font;
        }
    }
    AutoFont gdiFont = CreateSkinFont(look);
    if (!gdiFont)
        return nullptr;
    auto font = std::make_unique<Gdiplus::Font>(dc, gdiFont.Get());
    if (font->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return font;
}

std::unique_ptr<Gdiplus::Font> DrawableFont(const SkinFontLook& look) {
    ScopedGetDC screen(nullptr);
    if (!screen.Get())
        return nullptr;
    // Nearly every look ends at the first face; the fallbacks are looked up only when needed.
    for (const wchar_t* face : {look.face, SkinFontLook().face}) {
        if (auto font = FontInFace(screen.Get(), look, face))
            return font;
    }
    LOGFONTW dialog = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(dialog), &dialog);
    return FontInFace(screen.Get(), look, dialog.lfFaceName);
}

using LookKey = std::tuple<std::wstring, int, int, bool>;

struct KeptFonts {
    std::mutex lock;
    std::map<LookKey, std::unique_ptr<Gdiplus::Font>> fonts;  // null: no face of that look draws
};

KeptFonts& Kept() {
    static KeptFonts* kept = new KeptFonts;  // never destroyed: its fonts must not outlive GDI+
    return *kept;
}

}  // namespace

Gdiplus::Font* SkinGdiplusFont(const SkinFontLook& look) {
    KeptFonts& kept = Kept();
    std::lock_guard<std::mutex> hold(kept.lock);
    LookKey key(look.face ? look.face : L"", look.height, look.weight, look.underline);
    auto found = kept.fonts.find(key);
    if (found == kept.fonts.end())
        found = kept.fonts.emplace(std::move(key), DrawableFont(look)).first;
    return found->second.get();
}

void ReleaseSkinFonts() {
    KeptFonts& kept = Kept();
    std::lock_guard<std::mutex> hold(kept.lock);
    kept.fonts.clear();
}
