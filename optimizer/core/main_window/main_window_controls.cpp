#include "optimizer/core/main_window/main_window_controls.h"

#include "skin/files/ini_snapshot.h"

#include <algorithm>

#include "optimizer/core/main_window/first_images.h"
#include "optimizer/core/main_window/main_window_ids.h"
#include "optimizer/tools/speed_test/speed_page.h"

namespace {

using K = ControlKind;

struct ProgressRange {
    const wchar_t* name;
    unsigned minimum, maximum;
};
const ProgressRange kRanges[] = {{L"NetWorkSpeedProgress1", 0, 300},
                                 {L"NetWorkSpeedProgress2", 0, 120},
                                 {L"RepairProgressBarCtrl", 0, 100}};

// The three texts made in code: position, colour, size 14, first text.
struct CodeText {
    const wchar_t* name;
    int x, y;
    COLORREF color;
    const wchar_t* text;
};
const CodeText kCodeTexts[] = {
    {main_controls::kSweepStatus, 173, 187, RGB(73, 119, 152), L"\u6b63\u5728\u52a0\u901f..."},  // 正在加速...
    {main_controls::kServiceCount, 167, 177, RGB(209, 54, 50), L""},
    {main_controls::kMemoryStatus, 488, 187, RGB(73, 119, 152), L"\u6b63\u5728\u6574\u7406..."},  // 正在整理...
};
constexpr int kCodeTextSize = 14;

// The buttons whose captions the window styles itself.
const wchar_t* const kStyledButtons[] = {L"BeginBoostBtn", L"CancelBoostBtn", L"BeginMemoryBtn"};

}  // namespace

const std::vector<ControlRow>& MainWindowControlTable() {
    static const std::vector<ControlRow> rows = {
        // Every page.
        {L"WindowBk", K::kImage, -1, 0xFFFF, true},
        {L"SysCloseBtn", K::kButton, -1, kCmdHideToTray, true},
        {L"SysMinBtn", K::kButton, -1, kCmdMinimize, true},
        {L"MainTabUI", K::kTabStrip, -1, kCmdTabStrip, true},
        // Background of pages 1 and 2, loaded with page 2 at creation.
        {L"WindowBk2", K::kImage, 2, 0xFFFF, true},
        // Page 0: game mode and memory clean-up.
        {L"WindowBk3", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon1", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon2", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon3", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon4", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon5", K::kImage, 0, 0xFFFF, true},
        {L"BoostIcon6", K::kImage, 0, 0xFFFF, true},
        {L"ChaosCircle1", K::kImage, 0, 0xFFFF, false},
        {L"ChaosCircle2", K::kAnimation, 0, 0xFFFF, false},
        {L"ChaosCircle3", K::kImage, 0, 0xFFFF, false},
        {L"ChaosCircle21", K::kImage, 0, 0xFFFF, false},
        {L"ChaosCircle22", K::kAnimation, 0, 0xFFFF, false},
        {L"ChaosCircle23", K::kImage, 0, 0xFFFF, false},
        {main_controls::kSweepStatus, K::kText, 0, 0xFFFF, false},
        {main_controls::kMemoryStatus, K::kText, 0, 0xFFFF, false},
        {main_controls::kServiceCount, K::kText, 0, 0xFFFF, true},
        {L"BeginBoostBtn", K::kButton, 0, kCmdBoost, true},
        {L"CancelBoostBtn", K::kButton, 0, kCmdCancelBoost, false},
        {L"BeginMemoryBtn", K::kButton, 0, kCmdMemory, true},
        {L"VirtualMemory", K::kImage, 0, 0xFFFF, true},
        {L"VirtualMemoryWarning", K::kImage, 0, 0xFFFF, true},
        {L"VirtualMemoryLink", K::kLink, 0, kCmdPageFileAdvice, true},
        // Page 1: speed test and repair, built on the first visit.
        {L"NetWorkSpeedBk", K::kImage, 1, 0xFFFF, true},
        {L"Calibration", K::kImage, 1, 0xFFFF, false},
        {L"NetWorkSpeedProgress1", K::kProgressBar, 1, kCmdSpeedBar, true},
        {L"NetWorkSpeedProgress2", K::kProgressBar, 1, kCmdSpeedGauge, false},
        {L"NetWorkSpeedStatic", K::kText, 1, 0xFFFF, true},
        {L"TestNetWorkSpeedStatic", K::kText, 1, 0xFFFF, true},
        {L"TestNetWorkSpeedStatic2", K::kText, 1, 0xFFFF, false},
        {L"BandWidthText", K::kText, 1, 0xFFFF, true},
        {L"BandWidth", K::kText, 1, 0xFFFF, false},
        // The rest of the result and bandwidth lines and the failure text, made in code.
        {speed_page::kResultSpeed, K::kText, 1, 0xFFFF, false},
        {speed_page::kResultJoin, K::kText, 1, 0xFFFF, false},
        {speed_page::kResultRating, K::kText, 1, 0xFFFF, false},
        {speed_page::kBandLow, K::kText, 1, 0xFFFF, false},
        {speed_page::kBandJoin, K::kText, 1, 0xFFFF, false},
        {speed_page::kBandHigh, K::kText, 1, 0xFFFF, false},
        {speed_page::kBandEnd, K::kText, 1, 0xFFFF, false},
        {speed_page::kFailureText, K::kText, 1, 0xFFFF, false},
        {L"SpeedFailedWarnIcon", K::kImage, 1, 0xFFFF, false},
        {L"CancelSpeedBtn", K::kButton, 1, kCmdSpeedCancel, true},
        {L"RestartSpeedBtn", K::kButton, 1, kCmdSpeedRestart, false},
        {L"SpeedFailedBtn", K::kButton, 1, kCmdSpeedRetry, false},
        {L"FlashLink", K::kLink, 1, kCmdPluginPage, true},
        {L"RepairIcon", K::kImage, 1, 0xFFFF, true},
        {L"SucceedIcon", K::kImage, 1, 0xFFFF, false},
        {L"WarnIcon", K::kImage, 1, 0xFFFF, false},
        {L"RepairProgressBarCtrl", K::kProgressBar, 1, kCmdRepairBar, false},
        {L"RepairSateStatic", K::kText, 1, 0xFFFF, false},
        {L"RepairCompleteStatic", K::kText, 1, 0xFFFF, false},
        {L"RepairCancelStatic", K::kText, 1, 0xFFFF, false},
        {L"FeedBackStatic", K::kText, 1, 0xFFFF, true},
        {L"BeginRepairBtn", K::kButton, 1, kCmdRepairStart, true},
        {L"EndRepairBtn", K::kButton, 1, kCmdRepairCancel, false},
        {L"ReRepairBtn", K::kButton, 1, kCmdRepairAgain, false},
        {L"RepairSateLink", K::kLink, 1, kCmdFeedbackPage, true},
    };
    return rows;
}

void CMainWindowSkin::LoadImages(const std::wstring& skinFolder) {
    m_folder = skinFolder;
    m_ini = skinFolder + L"varniosorvik.ini";
    m_imageReferences.clear();
    m_images.Load(skinFolder);
}

void CMainWindowSkin::BeginImages(const std::wstring& skinFolder) {
    m_folder = skinFolder;
    m_ini = skinFolder + L"varniosorvik.ini";
    m_imageReferences.clear();
    // Only the sections of what shows first are read before the decoding starts; the others follow while
    // it runs (the pictures kept in page backgrounds need them at the first paint).
    std::vector<ControlImages> shownFirst;
    for (const ControlRow& row : MainWindowControlTable()) {
        if (row.page == -1 || row.page == 0)
            shownFirst.push_back({row.page, ImageNumbersOf(row, m_ini)});
    }
    m_images.BeginLoad(skinFolder, ImagesShownFirst(shownFirst));
    ImageReferences();
}

void CMainWindowSkin::LoadPage(HWND owner, int page) {
    if (page < 0 || page > 2 || m_pageLoaded[page])
        return;
    ScopedIniSnapshot ini;  // its controls ask a handful of keys each of one file
    if (page != 0)
        m_images.Complete();  // their images were left till now
    for (const ControlRow& row : MainWindowControlTable()) {
        if (row.page == page || (row.page == -1 && !m_controls.count(row.name)))
            Create(owner, row);
    }
    m_pageLoaded[page] = true;
}

void CMainWindowSkin::Create(HWND owner, const ControlRow& row) {
    Entry entry{row.kind, nullptr};
    switch (row.kind) {
        case K::kImage:
        case K::kAnimation: {
            std::unique_ptr<SkinImage> image(row.kind == K::kImage ? new SkinImage : new SkinAnimation);
            if (!image->Create(owner, row.visible))
                return;
            image->Load(row.name, m_ini, m_images);
            entry.control = std::move(image);
            break;
        }
        case K::kButton: {
            auto button = std::make_unique<SkinButton>();
            if (!button->Create(owner, row.id))
                return;
            button->Load(row.name, m_ini, m_images);
            for (const wchar_t* styled : kStyledButtons) {
                if (std::wstring(styled) != row.name)
                    continue;
                button->m_textColor = RGB(85, 84, 92);
                button->m_fontHeight = 12;
                button->m_bold = true;
            }
            button->Show(row.visible);
            entry.control = std::move(button);
            break;
        }
        case K::kLink: {
            auto link = std::make_unique<SkinLink>();
            if (!link->Create(owner, row.id))
                return;
            link->Load(row.name, m_ini);
            link->Show(row.visible);
            entry.control = std::move(link);
            break;
        }
        case K::kText: {
            auto text = std::make_unique<SkinText>();
            if (!text->Create(owner, row.id, row.visible))
                return;
            bool madeInCode = false;
            for (const CodeText& code : kCodeTexts) {
                if (std::wstring(code.name) != row.name)
                    continue;
                madeInCode = true;
                text->m_textColor = code.color;
                text->m_fontHeight = kCodeTextSize;
                text->SetBounds(code.x, code.y, code.x, code.y);
                text->SetText(code.text);
            }
            for (const speed_page::CodeText& code : speed_page::kCodeTexts) {
                if (std::wstring(code.name) != row.name)
                    continue;
                madeInCode = true;
                // The look of its line's first control, and its place until the line is laid out.
                const SkinText* style = Text(code.styleOf);
                if (!style)
                    continue;
                text->m_fontFace = style->m_fontFace;
                text->m_fontHeight = style->m_fontHeight;
                text->m_textColor = style->m_textColor;
                const RECT at = style->GetIniRect();
                text->SetBounds(at.left, at.top, at.left, at.top);
            }
            if (!madeInCode)
                text->Load(row.name, m_ini);
            entry.control = std::move(text);
            break;
        }
        case K::kProgressBar: {
            auto bar = std::make_unique<SkinProgressBar>();
            unsigned minimum = 0, maximum = 100;
            for (const ProgressRange& range : kRanges) {
                if (std::wstring(range.name) == row.name)
                    minimum = range.minimum, maximum = range.maximum;
            }
            if (!bar->Create(owner, row.id, minimum, maximum))
                return;
            bar->Load(row.name, m_ini, m_images);
            bar->Show(row.visible);
            entry.control = std::move(bar);
            break;
        }
        case K::kTabStrip: {
            auto strip = std::make_unique<SkinTabStrip>();
            if (!strip->Create(owner, row.id))
                return;
            strip->Load(row.name, m_ini, m_images);
            entry.control = std::move(strip);
            break;
        }
    }
    m_controls[row.name] = std::move(entry);
}

SkinControl* CMainWindowSkin::Find(std::wstring_view name) const {
    auto it = m_controls.find(name);
    return it == m_controls.end() ? nullptr : it->second.control.get();
}

template <typename T>
T* CMainWindowSkin::Typed(std::wstring_view name, ControlKind kind) const {
    auto it = m_controls.find(name);
    return it == m_controls.end() || it->second.kind != kind ? nullptr : static_cast<T*>(it->second.control.get());
}

SkinButton* CMainWindowSkin::Button(std::wstring_view name) const {
    return Typed<SkinButton>(name, K::kButton);
}
SkinText* CMainWindowSkin::Text(std::wstring_view name) const {
    return Typed<SkinText>(name, K::kText);
}
SkinLink* CMainWindowSkin::Link(std::wstring_view name) const {
    return Typed<SkinLink>(name, K::kLink);
}
SkinProgressBar* CMainWindowSkin::ProgressBar(std::wstring_view name) const {
    return Typed<SkinProgressBar>(name, K::kProgressBar);
}
SkinAnimation* CMainWindowSkin::Animation(std::wstring_view name) const {
    return Typed<SkinAnimation>(name, K::kAnimation);
}
SkinTabStrip* CMainWindowSkin::TabStrip(std::wstring_view name) const {
    return Typed<SkinTabStrip>(name, K::kTabStrip);
}

Gdiplus::Bitmap* CMainWindowSkin::LooseImage(const std::wstring& file) const {
    // Decoded when first drawn: the result panel shows only after a boost, and the window's first
    // appearance waits for nothing it does not show.
    auto it = m_looseImages.find(file);
    if (it == m_looseImages.end())
        it = m_looseImages.emplace(file, LoadDrawableSkinBitmap(m_folder + file)).first;
    return it->second.get();
}

void CMainWindowSkin::Apply(const ControlChanges& changes) {
    // One lookup per change: the speed gauge applies changes on a 1 ms timer.
    for (const ControlChange& change : changes) {
        auto it = m_controls.find(change.name);
        if (it == m_controls.end())
            continue;
        const ControlKind kind = it->second.kind;
        SkinControl* control = it->second.control.get();
        switch (change.kind) {
            case ControlChange::kShow:
            case ControlChange::kHide:
                control->Show(change.kind == ControlChange::kShow);
                break;
            case ControlChange::kEnable:
            case ControlChange::kDisable:
                if (kind == K::kButton)
                    static_cast<SkinButton*>(control)->Enable(change.kind == ControlChange::kEnable);
                break;
            case ControlChange::kSetText:
                if (kind == K::kButton)
                    static_cast<SkinButton*>(control)->SetText(change.text);
                else if (kind == K::kText)
                    static_cast<SkinText*>(control)->SetText(change.text);
                else if (kind == K::kLink)
                    static_cast<SkinLink*>(control)->m_caption = change.text;
                break;
            case ControlChange::kSetPos:
                if (kind == K::kProgressBar)
                    static_cast<SkinProgressBar*>(control)->SetPos(static_cast<unsigned>(change.value));
                break;
            case ControlChange::kSetColor:
                if (kind == K::kText)
                    static_cast<SkinText*>(control)->SetColor(static_cast<COLORREF>(change.value));
                break;
        }
    }
}

void CMainWindowSkin::Forward(const std::vector<const wchar_t*>& names,
                              HWND hwnd,
                              UINT message,
                              WPARAM wParam,
                              LPARAM lParam) {
    for (const wchar_t* name : names) {
        if (SkinControl* control = Find(name))
            control->OnMessage(hwnd, message, wParam, lParam);
    }
}

void CMainWindowSkin::Paint(HDC dc, const wchar_t* name, int frame) const {
    if (SkinAnimation* animation = Animation(name)) {
        animation->Paint(dc, frame < 0 ? 0 : frame);
    } else if (SkinControl* control = Find(name)) {
        control->Paint(dc);
    }
}

const std::vector<ControlImages>& CMainWindowSkin::ImageReferences() {
    if (m_imageReferences.empty()) {
        for (const ControlRow& row : MainWindowControlTable())
            m_imageReferences.push_back({row.page, ImageNumbersOf(row, m_ini)});
    }
    return m_imageReferences;
}

int CMainWindowSkin::PictureImage(const wchar_t* name) {
    if (!Typed<SkinImage>(name, K::kImage))
        return 0;
    const std::vector<ControlRow>& rows = MainWindowControlTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (std::wstring(rows[i].name) == name && !ImageReferences()[i].numbers.empty())
            return ImageReferences()[i].numbers.front();
    }
    return 0;
}

void CMainWindowSkin::DropImage(const wchar_t* name) {
    const int number = PictureImage(name);
    if (number == 0)
        return;
    const std::vector<ControlRow>& rows = MainWindowControlTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::vector<int>& numbers = ImageReferences()[i].numbers;
        if (std::wstring(rows[i].name) != name && m_controls.count(rows[i].name) &&
            std::find(numbers.begin(), numbers.end(), number) != numbers.end())
            return;  // another control shows it too
    }
    m_images.Drop(number);
    Typed<SkinImage>(name, K::kImage)->Load(name, m_ini, m_images);
}

void CMainWindowSkin::RestoreImage(const wchar_t* name) {
    const int number = PictureImage(name);
    if (number == 0)
        return;
    m_images.Restore(number);
    Typed<SkinImage>(name, K::kImage)->Load(name, m_ini, m_images);
}

bool CMainWindowSkin::IsVisible(const wchar_t* name) const {
    SkinControl* control = Find(name);
    return control && control->IsVisible();
}
