// The shipped default skins, read the way the programs read them: every control section the windows
// load resolves to decodable images, each strip has the frames its control kind cuts it into, and
// the layout leaves the places the programs fix for themselves free.
#include "common/handles.h"
#include "skin/controls/button.h"
#include "skin/controls/image.h"
#include "skin/controls/link.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/tab_strip.h"
#include "skin/controls/text.h"
#include "skin/files/frame_skin.h"
#include "skin/files/gdiplus_session.h"
#include "skin/files/image_list.h"
#include "skin/files/ini_values.h"
#include "skin/files/skin_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Kind { Picture, Animation, Button, Link, Text, Progress, Tabs };
struct Control {
    const wchar_t* section;
    Kind kind;
};

// The product folder the build draws the skins into, relative to this test program's folder.
std::wstring Product() {
    const std::string relative = SKIN_PRODUCT_REL;
    std::wstring folder = ProgramFolder() + L"\\" + std::wstring(relative.begin(), relative.end()) + L"\\";
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}
std::wstring SorvikSkin() {
    return Product() + L"Sk_sv\\";
}
std::wstring TaviskSkin() {
    return Product() + L"Skin\\Chrome\\Movrel\\";
}

std::unique_ptr<Gdiplus::Bitmap> LoadFile(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    return std::unique_ptr<Gdiplus::Bitmap>(Gdiplus::Bitmap::FromFile(path.c_str()));
}
SIZE Size(Gdiplus::Image* image) {
    return {LONG(SkinImageWidth(image)), LONG(SkinImageHeight(image))};
}
LONG Width(const RECT& r) {
    return r.right - r.left;
}
LONG Height(const RECT& r) {
    return r.bottom - r.top;
}
bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class DefaultSkins : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_gdiplus = new ScopedGdiplus(); }
    static void TearDownTestSuite() { delete s_gdiplus; }

    // A hidden owner whose client area has the size of the real window, so negative rectangles resolve.
    static AutoWindow Owner(int width, int height) {
        return AutoWindow(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                            ::GetModuleHandleW(nullptr), nullptr));
    }

    // Loads one control as its kind does and checks its images against its rectangle. Returns the
    // resolved rectangle (of the strip for tabs).
    static RECT CheckControl(const Control& c,
                             const std::wstring& ini,
                             const SkinImageList& images,
                             HWND owner,
                             int buttonFrames) {
        SCOPED_TRACE(testing::Message() << "section " << c.section);
        RECT raw = {};
        ReadIniCRect(ini, c.section, c.kind == Kind::Tabs ? L"none" : L"rect", raw);
        EXPECT_TRUE(c.kind == Kind::Tabs || raw.left != 0 || raw.top != 0 || raw.right != 0) << "no rect";
        switch (c.kind) {
            case Kind::Picture:
            case Kind::Animation: {
                SkinImage picture;
                picture.Create(owner, true);
                picture.Load(c.section, ini, images);
                const SIZE image = Size(picture.m_image);
                const RECT r = picture.GetRect();
                const LONG frames = c.kind == Kind::Animation ? 20 : 1;
                EXPECT_GT(image.cx, 0) << "image missing or broken";
                EXPECT_EQ(image.cx, Width(r) * frames);
                EXPECT_EQ(image.cy, Height(r));
                return r;
            }
            case Kind::Button: {
                SkinButton button;
                button.Create(owner, 1);
                button.Load(c.section, ini, images);
                const SIZE image = Size(button.m_image);
                const RECT r = button.GetRect();
                EXPECT_EQ(image.cx, Width(r) * buttonFrames) << "a strip of frames as wide as the button";
                EXPECT_EQ(image.cy, Height(r));
                return r;
            }
            case Kind::Link:
            case Kind::Text: {
                RECT r = {};
                if (c.kind == Kind::Link) {
                    SkinLink link;
                    link.Create(owner, 1);
                    link.Load(c.section, ini);
                    EXPECT_FALSE(link.DisplayText().empty());
                    r = link.GetRect();
                } else {
                    SkinText label;
                    label.Create(owner, 1, true);
                    label.Load(c.section, ini);
                    if (label.GetText().empty())
                        label.SetText(L"100%");  // texts the program fills
                    r = label.GetRect();
                }
                return r;
            }
            case Kind::Progress: {
                SkinProgressBar bar;
                bar.Create(owner, 1, 0, 100);
                bar.Load(c.section, ini, images);
                EXPECT_TRUE(bar.IsImageLook());
                EXPECT_EQ(LONG(SkinImageHeight(bar.m_background)), Height(bar.GetRect()));
                EXPECT_EQ(SkinImageWidth(bar.m_background) % 2, 1u) << "three-slice: ends and one middle column";
                EXPECT_EQ(SkinImageWidth(bar.m_fill) % 2, 1u);
                return bar.GetRect();
            }
            case Kind::Tabs: {
                SkinTabStrip tabs;
                tabs.Create(owner, 16);
                tabs.Load(c.section, ini, images);
                EXPECT_EQ(tabs.GetItemCount(), ReadIniInt(ini, c.section, L"ItemCount", 0));
                const RECT strip = {ReadIniInt(ini, c.section, L"Left", 0), ReadIniInt(ini, c.section, L"Top", 0),
                                    ReadIniInt(ini, c.section, L"Right", 0), ReadIniInt(ini, c.section, L"Bottom", 0)};
                for (int i = 1; i <= tabs.GetItemCount(); ++i) {
                    Gdiplus::Image* item =
                        images.Get(ReadIniInt(ini, c.section, (L"Image_Item" + std::to_wstring(i)).c_str(), 0));
                    EXPECT_EQ(Size(item).cx % 3, 0) << "normal, hot and selected frames";
                    EXPECT_TRUE(Inside(tabs.GetItemRect(i - 1), strip)) << "tab " << i;
                }
                return strip;
            }
        }
        return {};
    }

    static ScopedGdiplus* s_gdiplus;
};
ScopedGdiplus* DefaultSkins::s_gdiplus = nullptr;

const std::vector<Control> kSorvikCommon = {{L"WindowBk", Kind::Picture},
                                            {L"SysCloseBtn", Kind::Button},
                                            {L"SysMinBtn", Kind::Button},
                                            {L"MainTabUI", Kind::Tabs},
                                            {L"WindowBk2", Kind::Picture}};
const std::vector<Control> kSorvikGamePage = {
    {L"WindowBk3", Kind::Picture},     {L"BeginBoostBtn", Kind::Button},  {L"CancelBoostBtn", Kind::Button},
    {L"BeginMemoryBtn", Kind::Button}, {L"BoostIcon1", Kind::Picture},    {L"BoostIcon2", Kind::Picture},
    {L"BoostIcon3", Kind::Picture},    {L"BoostIcon4", Kind::Picture},    {L"BoostIcon5", Kind::Picture},
    {L"BoostIcon6", Kind::Picture},    {L"ChaosCircle1", Kind::Picture},  {L"ChaosCircle2", Kind::Animation},
    {L"ChaosCircle3", Kind::Picture},  {L"ChaosCircle21", Kind::Picture}, {L"ChaosCircle22", Kind::Animation},
    {L"ChaosCircle23", Kind::Picture}};
const std::vector<Control> kSorvikPageFileWarning = {{L"VirtualMemory", Kind::Picture},
                                                     {L"VirtualMemoryWarning", Kind::Picture},
                                                     {L"VirtualMemoryLink", Kind::Link}};
const std::vector<Control> kSorvikNetworkPage = {{L"WarnIcon", Kind::Picture},
                                                 {L"SpeedFailedWarnIcon", Kind::Picture},
                                                 {L"FlashLink", Kind::Link},
                                                 {L"CancelSpeedBtn", Kind::Button},
                                                 {L"RestartSpeedBtn", Kind::Button},
                                                 {L"SpeedFailedBtn", Kind::Button},
                                                 {L"BeginRepairBtn", Kind::Button},
                                                 {L"EndRepairBtn", Kind::Button},
                                                 {L"ReRepairBtn", Kind::Button},
                                                 {L"NetWorkSpeedBk", Kind::Picture},
                                                 {L"Calibration", Kind::Picture},
                                                 {L"RepairIcon", Kind::Picture},
                                                 {L"SucceedIcon", Kind::Picture},
                                                 {L"NetWorkSpeedProgress1", Kind::Progress},
                                                 {L"NetWorkSpeedProgress2", Kind::Progress},
                                                 {L"RepairProgressBarCtrl", Kind::Progress},
                                                 {L"NetWorkSpeedStatic", Kind::Text},
                                                 {L"TestNetWorkSpeedStatic", Kind::Text},
                                                 {L"TestNetWorkSpeedStatic2", Kind::Text},
                                                 {L"BandWidthText", Kind::Text},
                                                 {L"BandWidth", Kind::Text},
                                                 {L"RepairSateStatic", Kind::Text},
                                                 {L"RepairCompleteStatic", Kind::Text},
                                                 {L"RepairCancelStatic", Kind::Text},
                                                 {L"FeedBackStatic", Kind::Text},
                                                 {L"RepairSateLink", Kind::Link}};

TEST_F(DefaultSkins, SorvikImageTableDecodesEveryEntry) {
    SkinImageList images;
    ASSERT_GT(images.Load(SorvikSkin()), 0u);
    for (size_t n = 1; n <= images.Count(); ++n)
        EXPECT_GT(Size(images.Get(int(n))).cx, 0) << "image " << n;
}

TEST_F(DefaultSkins, SorvikMainWindowControlsFitTheirPlaces) {
    const int width = 652, height = 456, pane = 266, paneWithWarning = 286, dragBand = 40;
    SkinImageList images;
    images.Load(SorvikSkin());
    AutoWindow owner = Owner(width, height);
    const std::wstring ini = SorvikSkin() + L"varniosorvik.ini";
    const RECT window = {0, 0, width, height};
    for (const Control& c : kSorvikCommon) {
        const RECT r = CheckControl(c, ini, images, owner.Get(), 4);
        EXPECT_TRUE(Inside(r, window));
        if (c.kind == Kind::Button) {
            EXPECT_LE(r.bottom, dragBand) << "system buttons sit in the drag band";
        }
    }
    // the game-mode page stays above the process list; the warning strip fills the 20 pixels it gives up
    for (const Control& c : kSorvikGamePage) {
        const RECT r = CheckControl(c, ini, images, owner.Get(), 4);
        if (std::wstring(c.section) != L"WindowBk3") {
            EXPECT_LE(r.bottom, pane) << "section " << c.section;
        }
    }
    for (const Control& c : kSorvikPageFileWarning) {
        const RECT r = CheckControl(c, ini, images, owner.Get(), 4);
        EXPECT_TRUE(r.top >= pane && r.bottom <= paneWithWarning) << "section " << c.section;
    }
    for (const Control& c : kSorvikNetworkPage)
        EXPECT_TRUE(Inside(CheckControl(c, ini, images, owner.Get(), 4), window)) << "section " << c.section;
    EXPECT_EQ(ReadIniText(ini, L"BeginBoostBtn", L"Text"), L"开启游戏模式");  // read back as Chinese
}

TEST_F(DefaultSkins, SorvikDialogImagesHaveTheirFramesAndRoom) {
    const std::wstring skin = SorvikSkin();
    struct Fixed {
        const wchar_t* file;
        int frames;    // equal frames side by side
        SIZE minimum;  // the dialog's fixed positions need at least this size
    };
    const Fixed kFixed[] = {
        {L"varniotipbg.png", 1, {355, 256}},  // text box to (355, 200), buttons moved 30 pixels down
        {L"question_icon.png", 1, {1, 1}},
        {L"warning_big_icon.png", 1, {1, 1}},
        {L"common_button_bg.png", 3, {1, 1}},
        {L"Strip_1.png", 1, {1, 1}},
        {L"Strip_2.png", 1, {1, 1}},
        {L"win_bg.png", 1, {285 + 72, 240 + 26}},
        {L"close.png", 4, {1, 1}},
        {L"warning_icon1.png", 1, {1, 1}},
        {L"select.png", 6, {1, 1}},
        {L"reboot_text.png", 1, {1, 1}},
        {L"end_button.png", 3, {195, 22}}};
    for (const Fixed& f : kFixed) {
        auto image = LoadFile(skin + f.file);
        const SIZE size = Size(image.get());
        EXPECT_GT(size.cx, 0) << f.file;
        EXPECT_EQ(size.cx % f.frames, 0) << f.file;
        EXPECT_GE(size.cx, f.minimum.cx) << f.file;
        EXPECT_GE(size.cy, f.minimum.cy) << f.file;
    }
    // The page-file dialog's two buttons 80 pixels apart, its close button inside the 45-pixel corner.
    EXPECT_LE(LONG(SkinImageWidth(LoadFile(skin + L"common_button_bg.png").get()) / 3), 80);
    EXPECT_LE(LONG(SkinImageWidth(LoadFile(skin + L"close.png").get()) / 4), 35);
    EXPECT_EQ(SkinImageHeight(LoadFile(skin + L"end_button.png").get()), 22u);

    // The message box reads its buttons with image 1 = common_button_bg.png (three frames used).
    SkinImageList one;
    one.Append(skin + L"common_button_bg.png");
    AutoWindow owner = Owner(415, 272);
    for (const wchar_t* section : {L"OKBtn", L"CancelBtn"})
        CheckControl({section, Kind::Button}, skin + L"VarnioTip.ini", one, owner.Get(), 3);
}

TEST_F(DefaultSkins, TaviskFrameDialogsAndAnimation) {
    const int width = 366, height = 275;
    const std::wstring skin = TaviskSkin();
    SkinImageList images;
    ASSERT_GT(images.Load(skin), 0u);
    for (size_t n = 1; n <= images.Count(); ++n)
        EXPECT_GT(Size(images.Get(int(n))).cx, 0) << "image " << n;

    const FrameSkin frame = ReadFrameSkin(skin + L"mainform.ini");
    for (int n : {frame.imageTopFrame, frame.imageBottomFrame, frame.imageLeftFrame, frame.imageRightFrame,
                  frame.imageCloseBut})
        EXPECT_NE(images.Get(n), nullptr);
    EXPECT_EQ(Size(images.Get(frame.imageCloseBut)).cx % 4, 0) << "caption buttons have four states";
    EXPECT_GT(frame.cutRoundSize.x, 0);

    for (const wchar_t* frameIni : {L"mainform.ini", L"downMandlg.ini", L"update_suc.ini"}) {
        const std::vector<WindowPanel> panels = ReadWindowPanels(skin + frameIni);
        EXPECT_FALSE(panels.empty()) << frameIni;
        for (const WindowPanel& p : panels)
            EXPECT_GT(Size(LoadFile(skin + p.imageFile).get()).cx, 0) << frameIni;
    }
    for (int k = 1; k <= 5; ++k)
        EXPECT_GT(Size(LoadFile(skin + L"color_" + std::to_wstring(k) + L".png").get()).cx, 0) << "busy frame " << k;

    struct Dialog {
        const wchar_t* ini;
        std::vector<Control> controls;
    };
    const Dialog kDialogs[] = {
        {L"mainform.ini",
         {{L"UpdateBtn", Kind::Button},
          {L"DelayBtn", Kind::Button},
          {L"Logo", Kind::Picture},
          {L"VisOffWebLink", Kind::Link},
          {L"WebBk", Kind::Picture},
          {L"VersionInfo", Kind::Text},
          {L"FileSizeText", Kind::Text}}},
        {L"nomovreldlg.ini",
         {{L"OKBtn", Kind::Button},
          {L"StaticText", Kind::Text},
          {L"Logo", Kind::Picture},
          {L"VisOffWebLink", Kind::Link},
          {L"VersionInfo", Kind::Text}}},
        {L"movreldlg.ini",
         {{L"CanelBtn", Kind::Button},
          {L"ProgressBar", Kind::Progress},
          {L"ProgressTipText", Kind::Text},
          {L"ProgressText", Kind::Text}}},
        {L"downMandlg.ini", {{L"DownManBtn", Kind::Button}, {L"StaticText", Kind::Text}, {L"Logo", Kind::Picture}}},
        {L"update_suc.ini", {{L"OKBtn", Kind::Button}}}};
    AutoWindow owner = Owner(width, height);
    const RECT body = {1, 32, width - 1, height - 5};  // inside the title band and the frame strips
    for (const Dialog& d : kDialogs) {
        for (const Control& c : d.controls) {
            const RECT r = CheckControl(c, skin + d.ini, images, owner.Get(), 4);
            EXPECT_TRUE(Inside(r, body)) << d.ini << " " << c.section;
        }
    }
}

}  // namespace
