// CUpdaterDialog: what the updater's five skinned dialogs share. At WM_INITDIALOG it sets the program
// icon, sizes the window to 366 x 275, makes it topmost, centres it, registers a modeless dialog with the
// thread's message loop, takes the skinned frame from the skin manager and the frame ini, then lets the
// dialog create its controls from its control ini by section name. It forwards every message to the
// controls, paints them into the frame's off-screen DC, shows the hand over links and turns control
// clicks into OnCommand. Window thread; the DialogContext must outlive the dialog.
#pragma once
#include "common/handles.h"
#include "skin/controls/skin_control.h"
#include "skin/skinned_window/draw_window.h"
#include "skin/window/dialog_impl.h"
#include "updater/install/task_start.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CSkinManage;
class CUpdateConfig;
class SkinButton;
class SkinImage;
class SkinLink;
class SkinProgressBar;
class SkinText;

// The run's shared state every dialog reads.
struct DialogContext {
    CSkinManage* skin = nullptr;
    const CUpdateConfig* config = nullptr;
    std::string officialUrl;                   // read once at start-up
    TaskStarter startTask = &StartTaskMovrel;  // the progress window's download task
};

class CUpdaterDialog : public CDialogImpl {
public:
    ~CUpdaterDialog() override;
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

    // The control created from `section`, or null.
    SkinControl* FindControl(const std::wstring& section) const;

protected:
    // `frameIni` holds the window panels, `controlIni` the controls; both relative to the skin folder.
    CUpdaterDialog(UINT templateId,
                   const DialogContext& context,
                   const wchar_t* frameIni,
                   const wchar_t* controlIni,
                   bool modeless);

    // Creates the controls in their fixed order and sets the texts and title; the frame is attached.
    virtual void OnInit() = 0;
    // A control's click or a keyboard command.
    virtual void OnCommand(WORD id) = 0;
    // The derived window's own messages; true when handled.
    virtual bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
    // Drawn into the off-screen DC after the controls.
    virtual void PaintOver(HDC dc) {}

    SkinButton* AddButton(const wchar_t* section, WORD id);
    SkinLink* AddLink(const wchar_t* section, WORD id);
    SkinText* AddText(const wchar_t* section);
    SkinImage* AddImage(const wchar_t* section);
    SkinProgressBar* AddProgressBar(const wchar_t* section, WORD id);
    std::wstring SkinFolder() const;

    // Ends a modal dialog with `result` after asking the process to end with `exitCode`; only returns
    // when a test has replaced the process end.
    void EndProcessOrDialog(int exitCode, INT_PTR result);

    const DialogContext& m_context;

private:
    void InitFrame(HWND hwnd);
    template <typename T>
    T* Keep(const wchar_t* section, std::unique_ptr<T> control);

    std::wstring m_frameIni;
    std::wstring m_controlIni;
    bool m_modeless;
    CDrawWindow m_frame;
    CDialogMessageFilter m_filter;
    bool m_filterAdded = false;
    AutoIcon m_bigIcon;
    AutoIcon m_smallIcon;
    std::vector<std::pair<std::wstring, std::unique_ptr<SkinControl>>> m_controls;  // in painting order
    std::vector<SkinControl*> m_pointerTargets;                                     // buttons and links, not owned
    std::vector<SkinLink*> m_links;                                                 // not owned
};
