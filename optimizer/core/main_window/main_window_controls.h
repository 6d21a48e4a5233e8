// The main window's skin: its image table and every control of "varniosorvik.ini", found by section
// name. Controls are loaded page by page (pages 0 and 2 with the common ones at creation, page 1 on its
// first visit) and die with this object. Window thread only; a name that is not loaded is ignored.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "optimizer/tools/memory/memory_page.h"
#include "skin/controls/animation.h"
#include "skin/controls/button.h"
#include "skin/controls/control_changes.h"
#include "skin/controls/image.h"
#include "skin/controls/link.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/tab_strip.h"
#include "skin/controls/text.h"
#include "skin/files/image_list.h"

enum class ControlKind { kImage, kAnimation, kButton, kLink, kText, kProgressBar, kTabStrip };

// One control of the window: its section, kind, page (-1 every page), command id and first visibility.
struct ControlRow {
    const wchar_t* name;
    ControlKind kind;
    int page;
    WORD id;
    bool visible;
};

// Every control, those made in code included, in the order each page paints them.
const std::vector<ControlRow>& MainWindowControlTable();

// One control's image references: its page (-1 every page) and the image numbers its section names.
struct ControlImages {
    int page;
    std::vector<int> numbers;
};

// Sections that are not in the ini: texts the window makes itself.
namespace main_controls {
constexpr const wchar_t* kSweepStatus = L"#SweepStatus";        // "正在加速..." / "正在取消加速..."
constexpr const wchar_t* kServiceCount = L"#ServiceCount";      // the listed-service count
constexpr const wchar_t* kMemoryStatus = kMemoryStateTextName;  // "正在整理..."
}  // namespace main_controls

class CMainWindowSkin {
public:
    // Loads the image table of `skinFolder` (ending in a backslash); its ini is "varniosorvik.ini" there.
    void LoadImages(const std::wstring& skinFolder);
    // The same table decoded on worker threads: the images of the frame and page 0 start at once and are
    // placed by PlaceFirstImages; the others are decoded when pages 1 and 2 are first loaded.
    void BeginImages(const std::wstring& skinFolder);
    void PlaceFirstImages() { m_images.PlaceFirst(); }
    const SkinImageList& Images() const { return m_images; }
    // Creates and loads the controls of `page` (and, for page 0, the common ones) that do not exist yet.
    void LoadPage(HWND owner, int page);

    SkinControl* Find(std::wstring_view name) const;
    SkinButton* Button(std::wstring_view name) const;
    SkinText* Text(std::wstring_view name) const;
    SkinLink* Link(std::wstring_view name) const;
    SkinProgressBar* ProgressBar(std::wstring_view name) const;
    SkinAnimation* Animation(std::wstring_view name) const;
    SkinTabStrip* TabStrip(std::wstring_view name) const;
    Gdiplus::Bitmap* LooseImage(const std::wstring& file) const;  // "Strip_1.png" and the like; null if absent

    void Apply(const ControlChanges& changes);
    void Forward(const std::vector<const wchar_t*>& names, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const wchar_t* name, int frame = -1) const;  // frame: animations only
    // Frees the image of picture `name` when no other loaded control shows it, or decodes it again; the
    // picture draws nothing in between. For pictures drawn once into a kept bitmap.
    void DropImage(const wchar_t* name);
    void RestoreImage(const wchar_t* name);
    bool IsVisible(const wchar_t* name) const;

private:
    struct Entry {
        ControlKind kind;
        std::unique_ptr<SkinControl> control;
    };
    template <typename T>
    T* Typed(std::wstring_view name, ControlKind kind) const;
    void Create(HWND owner, const ControlRow& row);
    // The image numbers each control's section names, read once.
    const std::vector<ControlImages>& ImageReferences();
    // The image number of the loaded picture `name`; 0 when it is none or names none.
    int PictureImage(const wchar_t* name);

    std::wstring m_folder;
    std::wstring m_ini;
    SkinImageList m_images;
    mutable std::map<std::wstring, std::unique_ptr<Gdiplus::Bitmap>> m_looseImages;  // null: did not load
    std::map<std::wstring, Entry, std::less<>> m_controls;  // found by views: no copy per lookup
    bool m_pageLoaded[3] = {};
    std::vector<ControlImages> m_imageReferences;  // in the order of the control table
};
