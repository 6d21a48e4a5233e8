// The skinned message box: layout by flags, icon choice and its notifications to real windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/message_box/message_box_dlg.h"
#include "skin/window/window_impl.h"
#include "window_test_support.h"

namespace {
struct Notice {
    WPARAM wParam;
    LPARAM lParam;
    std::wstring text;
};

// Records WM_MSGBOX_NOTIFY; on the shown notice runs `onShown` (the box is up and laid out then).
class NotifyRecorder : public CWindowImpl {
public:
    std::vector<Notice> notices;
    std::function<void()> onShown;
    bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_MSGBOX_NOTIFY) return false;
        Notice n = {wParam, lParam, L""};
        if (wParam == 1 && lParam) n.text = reinterpret_cast<const wchar_t*>(lParam);
        notices.push_back(n);
        if (wParam == 0 && lParam == 1 && onShown) onShown();
        result = 0;
        return true;
    }
};

struct Shown {
    RECT ok = {}, cancel = {};
    bool cancelCreated = false;
    SIZE icon = {};
    RECT window = {};
    bool layered = false;
};

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, parent.Create(nullptr, {200, 150, 900, 650}, L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        ASSERT_NE(nullptr, other.Create(nullptr, {0, 0, 50, 50}, L"ok-listener", WS_POPUP));
    }
    // Shows a box with `flags`, records its layout when shown, then answers it with command `answer`.
    INT_PTR Run(UINT flags, WORD answer, Shown* shown, bool okNotify = false) {
        CMessageBoxDlg box(parent.GetHwnd(), L"确定要结束这个进程吗？结束后未保存的数据会丢失。", flags);
        if (okNotify) box.SetOkNotify(true, L"kill 1234", other.GetHwnd());
        parent.onShown = [&] {
            shown->ok = box.OkButton().GetRect();
            shown->cancel = box.CancelButton().GetRect();
            shown->cancelCreated = box.CancelButton().GetOwner() != nullptr;
            shown->icon = box.IconSize();
            ::GetWindowRect(box.GetHwnd(), &shown->window);
            shown->layered = (::GetWindowLongPtrW(box.GetHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
            ::PostMessageW(box.GetHwnd(), WM_COMMAND, answer, reinterpret_cast<LPARAM>(box.GetHwnd()));
        };
        return box.DoModal(parent.GetHwnd());
    }

    NotifyRecorder parent, other;
};
}  // namespace

TEST(MessageBoxLayout, IconFileByFlags) {
    EXPECT_EQ(nullptr, MessageBoxIconFile(0));
    EXPECT_EQ(nullptr, MessageBoxIconFile(kMsgBoxCancel | kMsgBoxCheckBox));
    EXPECT_STREQ(L"question_icon.png", MessageBoxIconFile(kMsgBoxQuestion));
    EXPECT_STREQ(L"warning_big_icon.png", MessageBoxIconFile(kMsgBoxWarning));
    EXPECT_STREQ(L"question_icon.png", MessageBoxIconFile(kMsgBoxWarning | kMsgBoxQuestion)) << "4 wins over 8";
}

TEST(MessageBoxLayout, ButtonMovesByFlags) {
    struct Case { UINT flags; LONG okLeft, okTop, cancelTop; };
    const Case cases[] = {{9, 230, 220, 220}, {8, 275, 220, 220}, {6, 275, 190, 190}, {3, 230, 190, 190}};
    for (const Case& c : cases) {
        RECT ok = {230, 190, 310, 218}, cancel = {320, 190, 400, 218};
        ArrangeMessageBoxButtons(c.flags, ok, cancel);
        EXPECT_EQ(c.okLeft, ok.left) << c.flags;
        EXPECT_EQ(c.okTop, ok.top) << c.flags;
        EXPECT_EQ(c.okTop + 28, ok.bottom) << c.flags;
        EXPECT_EQ(c.cancelTop, cancel.top) << c.flags;
    }
}

TEST_F(MessageBoxTest, CancelAndWarningMovesBothButtonsDown) {
    Shown s;
    EXPECT_EQ(IDOK, Run(9, IDOK, &s));
    EXPECT_EQ((RECT{230, 220, 310, 248}).top, s.ok.top);
    EXPECT_EQ(230, s.ok.left);
    EXPECT_EQ(248, s.ok.bottom);
    ASSERT_TRUE(s.cancelCreated);
    EXPECT_EQ(320, s.cancel.left);
    EXPECT_EQ(220, s.cancel.top);
    EXPECT_EQ(48, s.icon.cx) << "warning icon";
    EXPECT_EQ(420, s.window.right - s.window.left) << "sized to the background";
    EXPECT_EQ(260, s.window.bottom - s.window.top);
    EXPECT_TRUE(s.layered);
    // Centred over the parent (200,150)-(900,650).
    EXPECT_EQ(200 + (700 - 420) / 2, s.window.left);
    EXPECT_EQ(150 + (500 - 260) / 2, s.window.top);
}

TEST_F(MessageBoxTest, WarningOnlyMovesOkDownAndRight) {
    Shown s;
    EXPECT_EQ(IDOK, Run(8, IDOK, &s));
    EXPECT_EQ(275, s.ok.left);
    EXPECT_EQ(355, s.ok.right);
    EXPECT_EQ(220, s.ok.top);
    EXPECT_FALSE(s.cancelCreated);
    EXPECT_EQ(48, s.icon.cx);
}

TEST_F(MessageBoxTest, CheckBoxAndQuestionKeepsTheRowAndMovesOkRight) {
    Shown s;
    EXPECT_EQ(IDOK, Run(6, IDOK, &s));
    EXPECT_EQ(275, s.ok.left);
    EXPECT_EQ(190, s.ok.top);
    EXPECT_FALSE(s.cancelCreated);
    EXPECT_EQ(40, s.icon.cx) << "question icon";
}

TEST_F(MessageBoxTest, ShownNoticeGoesToTheParentAndOkNoticeOnlyWhenSwitchedOn) {
    Shown s;
    EXPECT_EQ(IDOK, Run(1, IDOK, &s));
    ASSERT_EQ(1u, parent.notices.size());
    EXPECT_EQ(0u, parent.notices[0].wParam);
    EXPECT_EQ(1, parent.notices[0].lParam);
    EXPECT_TRUE(other.notices.empty()) << "OK notification is off by default";

    parent.notices.clear();
    EXPECT_EQ(IDOK, Run(1, IDOK, &s, true));
    ASSERT_EQ(1u, other.notices.size());
    EXPECT_EQ(1u, other.notices[0].wParam);
    EXPECT_EQ(L"kill 1234", other.notices[0].text);
    EXPECT_EQ(1u, parent.notices.size()) << "only the shown notice reaches the parent on OK";
}

TEST_F(MessageBoxTest, CancelNotifiesTheParentAndSwitchesOkNoticeOff) {
    Shown s;
    CMessageBoxDlg* current = nullptr;
    bool okNotifyAfter = true;
    {
        CMessageBoxDlg box(parent.GetHwnd(), L"取消?", kMsgBoxCancel);
        box.SetOkNotify(true, L"never", other.GetHwnd());
        current = &box;
        parent.onShown = [&] { ::PostMessageW(current->GetHwnd(), WM_COMMAND, IDCANCEL, 0); };
        EXPECT_EQ(IDCANCEL, box.DoModal(parent.GetHwnd()));
        okNotifyAfter = box.OkNotifyOn();
    }
    ASSERT_EQ(2u, parent.notices.size());
    EXPECT_EQ(0u, parent.notices[1].wParam);
    EXPECT_EQ(0, parent.notices[1].lParam);
    EXPECT_FALSE(okNotifyAfter);
    EXPECT_TRUE(other.notices.empty());
}

TEST_F(MessageBoxTest, ClickingTheSkinButtonAnswers) {
    // A real click on OK through the button's own handling: down and up with the cursor over it.
    CMessageBoxDlg box(parent.GetHwnd(), L"点击确定", 0);
    parent.onShown = [&] {
        RECT ok = box.OkButton().GetRect();
        POINT p = {(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2};
        ::ClientToScreen(box.GetHwnd(), &p);
        ::SetCursorPos(p.x, p.y);
        ::SendMessageW(box.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::SendMessageW(box.GetHwnd(), WM_LBUTTONUP, 0, 0);
    };
    EXPECT_EQ(IDOK, box.DoModal(parent.GetHwnd()));
}

TEST_F(MessageBoxTest, EscapeReachesCancelThroughTheDialogManager) {
    CMessageBoxDlg box(parent.GetHwnd(), L"Esc", kMsgBoxCancel);
    parent.onShown = [&] { ::PostMessageW(box.GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(IDCANCEL, box.DoModal(parent.GetHwnd()));
    ASSERT_EQ(2u, parent.notices.size());
    EXPECT_EQ(0, parent.notices[1].lParam);
}
