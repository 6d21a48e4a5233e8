// SkinTabStrip (optimizer): a row or column of three-frame image items (normal, hot, selected).
// Sends WM_TABSTRIP_NOTIFY to the owner on selection and hot-item changes. Window thread only.
#pragma once
#include "skin/controls/control_ids.h"
#include "skin/controls/skin_control.h"

#include <cstdint>
#include <gdiplus.h>
#include <string>
#include <vector>

class SkinImageList;

// lParam of WM_TABSTRIP_NOTIFY; valid only during the SendMessage call.
struct TabStripNotify {
    WORD id;
    WORD reserved;
    int32_t item;   // -1 possible for TSN_HOTCHANGE
    int32_t unused1;  // always -1
    int32_t unused2;  // always 0
};
static_assert(sizeof(TabStripNotify) == 16, "the owner reads a 16-byte record");

// Item geometry of a strip. Pure. Styles other than 0 (row) and 1 (column) place nothing.
struct TabStripLayout {
    RECT strip = {};
    int itemWidth = 0, itemHeight = 0, distance = 2, style = 0, count = 0;
    RECT ItemRect(int index) const;
    int HitTest(POINT point) const;  // -1 outside the strip or between items
};

class SkinTabStrip : public SkinControl {
public:
    bool Create(HWND owner, WORD id);  // false when `owner` is not a window
    // Reads "ItemCount", "Image_Item%d", "ItemDistance", "Style", "Left", "Top", "Right", "Bottom".
    void Load(const wchar_t* section, const std::wstring& iniFile, const SkinImageList& images);
    int SetCurSel(int index);          // returns the previous selection
    int GetCurSel() const { return m_selected; }
    int GetHotItem() const { return m_hot; }
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    int HitTest(POINT point) const { return Layout().HitTest(point); }
    RECT GetItemRect(int index) const { return Layout().ItemRect(index); }
    void Paint(HDC dc) override;
    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TabStripLayout Layout() const;
    void Notify(UINT code, int item) const;
    std::vector<Gdiplus::Image*> m_items;  // borrowed from the owner's SkinImageList
    int m_itemWidth = 0, m_itemHeight = 0, m_distance = 2, m_orientation = 0;
    int m_hot = -1, m_selected = -1;
};
