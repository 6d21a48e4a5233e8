// ControlChange: what a page model decides to do to one named skin control (the section name of the
// control ini). Models return lists of them as plain values; the owner window applies a list in order
// to its controls, so transitions can be tested without a window.
#pragma once
#include <string>
#include <vector>

struct ControlChange {
    enum Kind {
        kShow,
        kHide,
        kEnable,    // buttons
        kDisable,   // buttons
        kSetText,   // texts, button captions, links: `text`
        kSetPos,    // progress bars: `value`
        kSetColor,  // texts: `value` is a COLORREF
    };
    std::wstring name;
    Kind kind = kShow;
    std::wstring text;
    int value = 0;

    bool operator==(const ControlChange& other) const {
        return name == other.name && kind == other.kind && text == other.text && value == other.value;
    }
};

using ControlChanges = std::vector<ControlChange>;

inline ControlChange ShowControl(std::wstring name) { return {std::move(name), ControlChange::kShow, {}, 0}; }
inline ControlChange HideControl(std::wstring name) { return {std::move(name), ControlChange::kHide, {}, 0}; }
inline ControlChange EnableControl(std::wstring name) { return {std::move(name), ControlChange::kEnable, {}, 0}; }
inline ControlChange DisableControl(std::wstring name) { return {std::move(name), ControlChange::kDisable, {}, 0}; }
inline ControlChange SetControlText(std::wstring name, std::wstring text) {
    return {std::move(name), ControlChange::kSetText, std::move(text), 0};
}
inline ControlChange SetControlPos(std::wstring name, int pos) { return {std::move(name), ControlChange::kSetPos, {}, pos}; }
inline ControlChange SetControlColor(std::wstring name, unsigned long colorref) {
    return {std::move(name), ControlChange::kSetColor, {}, static_cast<int>(colorref)};
}
