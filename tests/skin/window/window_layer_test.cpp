// The window, dialog and message-loop layer against real Wine windows.
#include <gtest/gtest.h>

#include <vector>

#include "resources/skin_dialog_ids.h"
#include "skin/window/dialog_impl.h"
#include "skin/window/message_loop.h"
#include "skin/window/window_impl.h"
#include "window_test_support.h"

namespace {
class RecordingWindow : public CWindowImpl {
public:
    std::vector<UINT> seen;
    bool answerPaintWith42 = false;
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) override {
        seen.push_back(message);
        if (message == WM_APP + 1 && answerPaintWith42) {
            result = 42;
            return true;
        }
        return false;
    }
};

class DeletingWindow : public CWindowImpl {
public:
    static int finals;
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    void OnFinalMessage(HWND) override {
        ++finals;
        delete this;
    }
};
int DeletingWindow::finals = 0;

const RECT kRect = {10, 10, 210, 110};
}  // namespace

TEST(WindowImpl, BindsAtNcCreateAndAnswersHandledMessages) {
    RecordingWindow w;
    ASSERT_NE(nullptr, w.Create(nullptr, kRect, L"rec", WS_OVERLAPPEDWINDOW));
    ASSERT_FALSE(w.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), w.seen.front());
    w.answerPaintWith42 = true;
    EXPECT_EQ(42, ::SendMessageW(w.GetHwnd(), WM_APP + 1, 0, 0));
    w.answerPaintWith42 = false;
    EXPECT_EQ(0, ::SendMessageW(w.GetHwnd(), WM_APP + 1, 0, 0));  // default processing answered
    EXPECT_EQ(nullptr, w.Create(nullptr, kRect, L"again", WS_OVERLAPPEDWINDOW)) << "one window per object";
}

TEST(WindowImpl, DestructorUnbindsBeforeTheWindowDies) {
    HWND hwnd = nullptr;
    {
        RecordingWindow w;
        hwnd = w.Create(nullptr, kRect, L"rec", WS_OVERLAPPEDWINDOW);
        ASSERT_NE(nullptr, hwnd);
    }
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(WindowImpl, FinalMessageMayDeleteTheObject) {
    auto* w = new DeletingWindow;
    HWND hwnd = w->Create(nullptr, kRect, L"del", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, hwnd);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(1, DeletingWindow::finals);
}

namespace {
class EmptyDialog : public CDialogImpl {
public:
    EmptyDialog() : CDialogImpl(IDD_SKIN_MESSAGE_BOX) {}
    LPARAM initParam = -1;
    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_INITDIALOG) {
            initParam = lParam;
            ::PostMessageW(hwnd, WM_APP, 0, 0);
            result = TRUE;
            return true;
        }
        if (message == WM_APP) {
            EndDialog(7);
            return true;
        }
        if (message == WM_APP + 2) {
            result = 1234;  // reaches the sender through DWLP_MSGRESULT
            return true;
        }
        return false;
    }
};
}  // namespace

TEST(DialogImpl, ModalPassesTheInitParamAndEndsWithItsResult) {
    EmptyDialog dlg;
    EXPECT_EQ(7, dlg.DoModal(nullptr, 99));
    EXPECT_EQ(99, dlg.initParam);
    EXPECT_EQ(nullptr, dlg.GetHwnd());
}

TEST(DialogImpl, ModelessAnswersThroughMsgResultAndDiesWithItsObject) {
    HWND hwnd = nullptr;
    {
        EmptyDialog dlg;
        hwnd = dlg.Create(nullptr, 5);
        ASSERT_NE(nullptr, hwnd);
        EXPECT_EQ(1234, ::SendMessageW(hwnd, WM_APP + 2, 0, 0));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    PumpFor(20);  // the posted WM_APP finds no object and is dropped
}

TEST(DialogImpl, MissingTemplateFails) {
    class Missing : public CDialogImpl {
    public:
        Missing() : CDialogImpl(4711) {}
        bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    } dlg;
    EXPECT_EQ(-1, dlg.DoModal(nullptr));
}

namespace {
struct Filter : CMessageFilter {
    std::vector<int>* order;
    int name;
    bool consume;
    Filter(std::vector<int>* o, int n, bool c) : order(o), name(n), consume(c) {}
    bool PreTranslateMessage(MSG* msg) override {
        if (msg->message != WM_APP + 5) return false;
        order->push_back(name);
        return consume;
    }
};
struct CountingIdle : CIdleHandler {
    int calls = 0;
    bool OnIdle() override {
        if (++calls == 1) ::PostQuitMessage(3);
        return false;
    }
};
}  // namespace

TEST(MessageLoop, FiltersNewestFirstAndIdleHandlersRun) {
    std::vector<int> order;
    CMessageLoop loop;
    EXPECT_EQ(&loop, CMessageLoop::ForThisThread());
    Filter oldest(&order, 1, false), newest(&order, 2, false), consumer(&order, 3, true);
    loop.AddMessageFilter(&consumer);
    loop.AddMessageFilter(&oldest);
    loop.AddMessageFilter(&newest);
    MSG msg = {};
    msg.message = WM_APP + 5;
    EXPECT_TRUE(loop.PreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<int>{2, 1, 3}), order);
    EXPECT_TRUE(loop.RemoveMessageFilter(&consumer));
    order.clear();
    EXPECT_FALSE(loop.PreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<int>{2, 1}), order);

    CountingIdle idle;
    loop.AddIdleHandler(&idle);
    EXPECT_EQ(3, loop.Run());
    EXPECT_GE(idle.calls, 1);
    loop.RemoveIdleHandler(&idle);
}

TEST(MessageLoop, NestedLoopRestoresTheOuterOne) {
    CMessageLoop outer;
    {
        CMessageLoop inner;
        EXPECT_EQ(&inner, CMessageLoop::ForThisThread());
    }
    EXPECT_EQ(&outer, CMessageLoop::ForThisThread());
}

TEST(MessageLoop, ModelessDialogGetsItsKeyboardThroughTheFilter) {
    class EscQuits : public CDialogImpl {
    public:
        EscQuits() : CDialogImpl(IDD_SKIN_MESSAGE_BOX) {}
        bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
            if (message != WM_COMMAND || LOWORD(wParam) != IDCANCEL) return false;
            ::PostQuitMessage(5);
            return true;
        }
    } dlg;
    CMessageLoop loop;
    CDialogMessageFilter filter(dlg);
    loop.AddMessageFilter(&filter);
    HWND hwnd = dlg.Create(nullptr);
    ASSERT_NE(nullptr, hwnd);
    ::PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(5, loop.Run());
    loop.RemoveMessageFilter(&filter);
}
