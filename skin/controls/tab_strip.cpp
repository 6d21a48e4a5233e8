#include "skin/controls/tab_strip.h"

#include "skin/controls/skin_draw.h"
#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/files/placement.h"

RECT TabStripLayout::ItemRect(int i) const {
    if (i < 0 || i >= count) return {};
    if (style == 0) {
        const int x = strip.left + (itemWidth + distance) * i;
        return {x, strip.top, x + itemWidth, strip.top + itemHeight};
    }
    if (style == 1) {
        const int y = strip.top + (itemHeight + distance) * i;
        return {strip.left, y, strip.left + itemWidth, y + itemHeight};
    }
    return {};  // other styles place nothing
}

int TabStripLayout::HitTest(POINT point) const {
    if (!::PtInRect(&strip, point)) return -1;
    for (int i = 0; i < count; ++i) {
        const RECT item = ItemRect(i);
        if (::PtInRect(&item, point)) return i;
    }
    return -1;
}

bool SkinTabStrip::Create(HWND owner, WORD id) { return AttachOwner(owner, id); }

void SkinTabStrip::Load(const wchar_t* section, const std::wstring& ini, const SkinImageList& images) {
    m_items.clear();
    const int count = ReadIniInt(ini, section, L"ItemCount", 0);
    for (int n = 1; n <= count; ++n) {
        const int number = ReadIniInt(ini, section, (L"Image_Item" + std::to_wstring(n)).c_str(), 0);
        const bool valid = number >= 1 && static_cast<size_t>(number) <= images.Count();
        if (valid) m_items.push_back(images.Get(number));
        if (valid && n == count) {
            m_itemWidth = static_cast<int>(SkinImageWidth(images.Get(number))) / 3;
            m_itemHeight = static_cast<int>(SkinImageHeight(images.Get(number)));
        }
    }
    m_distance = ReadIniInt(ini, section, L"ItemDistance", 0);
    m_orientation = ReadIniInt(ini, section, L"Style", 0);
    m_iniRect = {ReadIniInt(ini, section, L"Left", 0), ReadIniInt(ini, section, L"Top", 0),
                 ReadIniInt(ini, section, L"Right", 0), ReadIniInt(ini, section, L"Bottom", 0)};
    ResolveRect();
}

TabStripLayout SkinTabStrip::Layout() const {
    TabStripLayout layout;
    layout.strip = m_rect;
    layout.itemWidth = m_itemWidth;
    layout.itemHeight = m_itemHeight;
    layout.distance = m_distance;
    layout.style = m_orientation;
    layout.count = static_cast<int>(m_items.size());
    return layout;
}

void SkinTabStrip::Notify(UINT code, int item) const {
    TabStripNotify record = {m_id, 0, item, -1, 0};
    if (m_owner) ::SendMessageW(m_owner, WM_TABSTRIP_NOTIFY, code, reinterpret_cast<LPARAM>(&record));
}

int SkinTabStrip::SetCurSel(int index) {
    if (index >= GetItemCount() || index == m_selected) return m_selected;
    const int previous = m_selected;
    m_selected = index;
    if (index >= 0) Notify(TSN_SELCHANGE, index);
    Invalidate();
    return previous;
}

void SkinTabStrip::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_visible) return;
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool inside = ::PtInRect(&m_rect, point) != FALSE;
    switch (message) {
    case WM_MOUSEMOVE:
        if (inside) {
            const int k = HitTest(point);
            if (k == m_hot) break;
            m_hot = k;
            Invalidate();
            Notify(TSN_HOTCHANGE, k);
        } else if (m_hot != -1) {
            m_hot = -1;
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN:
        if (!inside) break;
        Invalidate();
        SetCurSel(HitTest(point));
        break;
    case WM_MOUSELEAVE:
        if (m_hot != -1) {
            m_hot = -1;
            Invalidate();
        }
        break;
    default:
        break;
    }
}

void SkinTabStrip::Paint(HDC dc) {
    if (!m_visible) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetClip(Gdiplus::Rect(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top));
    const TabStripLayout layout = Layout();
    for (int i = 0; i < layout.count; ++i) {
        const int frame = i == m_selected ? 2 : (i == m_hot ? 1 : 0);
        DrawImagePart(graphics, m_items[i], layout.ItemRect(i), frame * m_itemWidth, 0, m_itemWidth, m_itemHeight);
    }
}
