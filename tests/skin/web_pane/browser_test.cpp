// The web pane: its event sink, single creation and the empty pane when no control can be made.
#include <gtest/gtest.h>

#include "skin/web_pane/browser.h"
#include "skin/window/window_impl.h"
#include "window_test_support.h"

namespace {
class Owner : public CWindowImpl {
public:
    bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

int CountChildren(HWND parent) {
    int n = 0;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) ++n;
    return n;
}
}  // namespace

TEST(BrowserSink, NewWindow3IsCancelled) {
    CBrowser pane;
    VARIANT args[5];
    for (VARIANT& v : args) ::VariantInit(&v);
    // Reverse order: bstrUrl, bstrUrlContext, dwFlags, Cancel, ppDisp.
    BSTR url = ::SysAllocString(L"http://127.0.0.1/popup");
    BSTR context = ::SysAllocString(L"http://127.0.0.1/");
    V_VT(&args[0]) = VT_BSTR;
    V_BSTR(&args[0]) = url;
    V_VT(&args[1]) = VT_BSTR;
    V_BSTR(&args[1]) = context;
    V_VT(&args[2]) = VT_I4;
    V_I4(&args[2]) = 6;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    V_VT(&args[3]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[3]) = &cancel;
    IDispatch* newWindow = nullptr;
    V_VT(&args[4]) = VT_DISPATCH | VT_BYREF;
    V_DISPATCHREF(&args[4]) = &newWindow;
    DISPPARAMS params = {args, nullptr, 5, 0};
    EXPECT_EQ(S_OK, pane.EventSink()->Invoke(273, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr));
    EXPECT_EQ(VARIANT_TRUE, cancel);
    EXPECT_EQ(nullptr, newWindow);
    ::SysFreeString(url);
    ::SysFreeString(context);
}

TEST(BrowserSink, OtherEventsLeaveNavigationAloneAndBadCallsAreRefused) {
    CBrowser pane;
    VARIANT args[7];
    for (VARIANT& v : args) ::VariantInit(&v);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &cancel;
    DISPPARAMS seven = {args, nullptr, 7, 0};
    EXPECT_EQ(S_OK, pane.EventSink()->Invoke(250, IID_NULL, 0, DISPATCH_METHOD, &seven, nullptr, nullptr, nullptr));
    EXPECT_EQ(VARIANT_FALSE, cancel);
    DISPPARAMS two = {args, nullptr, 2, 0};
    EXPECT_EQ(S_OK, pane.EventSink()->Invoke(259, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr));
    // Too few arguments for NewWindow3 and an unknown DISPID: refused, nothing touched.
    EXPECT_EQ(DISP_E_BADPARAMCOUNT,
              pane.EventSink()->Invoke(273, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              pane.EventSink()->Invoke(999, IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr));
    IUnknown* unknown = nullptr;
    EXPECT_EQ(S_OK, pane.EventSink()->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&unknown)));
}

TEST(Browser, CreatingThePaneTwiceCreatesOnePane) {
    Owner owner;
    ASSERT_NE(nullptr, owner.Create(nullptr, {0, 0, 600, 400}, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    CBrowser pane;
    RECT r = {7, 83, 593, 396};
    HWND first = pane.Create(owner.GetHwnd(), r, L"about:blank", WS_CHILD);
    ASSERT_NE(nullptr, first);
    HWND second = pane.Create(owner.GetHwnd(), r, L"about:blank", WS_CHILD);
    EXPECT_EQ(first, second);
    EXPECT_EQ(1, CountChildren(owner.GetHwnd()));
    EXPECT_FALSE(::IsWindowVisible(first)) << "created hidden; the owner shows it";
    // The platform's container and browser control exist (with no HTML engine the page stays empty).
    ASSERT_NE(nullptr, pane.GetHostHwnd());
    ASSERT_TRUE(pane.HasBrowser());
    EXPECT_EQ(S_OK, pane.Navigate(L"about:blank"));
    ::ShowWindow(first, SW_SHOW);
    PumpFor(100);
    RECT host = {}, paneRect = {};
    ::GetWindowRect(pane.GetHostHwnd(), &host);
    ::GetWindowRect(first, &paneRect);
    EXPECT_EQ(paneRect.right - paneRect.left, host.right - host.left) << "the container fills the pane";
    EXPECT_EQ(paneRect.bottom - paneRect.top, host.bottom - host.top);
}

TEST(Browser, DestroyedPaneLetsGoOfItsBrowserAndMayBeCreatedAgain) {
    Owner owner;
    ASSERT_NE(nullptr, owner.Create(nullptr, {0, 0, 600, 400}, L"owner", WS_OVERLAPPEDWINDOW));
    CBrowser pane;
    const RECT r = {7, 83, 593, 396};
    ASSERT_NE(nullptr, pane.Create(owner.GetHwnd(), r, L"about:blank", WS_CHILD));
    ASSERT_TRUE(pane.HasBrowser());
    IWebBrowser2* first = pane.GetBrowser();
    first->AddRef();
    ::DestroyWindow(pane.GetHwnd());
    EXPECT_FALSE(pane.HasBrowser());
    EXPECT_EQ(S_FALSE, pane.Navigate(L"about:blank")) << "no live control";
    EXPECT_EQ(0u, first->Release()) << "the pane kept no reference to the old browser";

    // Created again, this time without a control: nothing stale is left to navigate.
    ASSERT_NE(nullptr, pane.Create(owner.GetHwnd(), r, L"{0badc0de-0000-4000-8000-000000000001}", WS_CHILD));
    EXPECT_FALSE(pane.HasBrowser());
    EXPECT_EQ(S_FALSE, pane.Navigate(L"about:blank"));
    // And again with one: a new browser of its own.
    ::DestroyWindow(pane.GetHwnd());
    ASSERT_NE(nullptr, pane.Create(owner.GetHwnd(), r, L"about:blank", WS_CHILD));
    EXPECT_TRUE(pane.HasBrowser());
    EXPECT_EQ(S_OK, pane.Navigate(L"about:blank"));
}

TEST(Browser, PaneWithoutAControlStaysEmptyAndNavigateDoesNothing) {
    Owner owner;
    ASSERT_NE(nullptr, owner.Create(nullptr, {0, 0, 300, 200}, L"owner", WS_OVERLAPPEDWINDOW));
    CBrowser pane;
    // A class id nothing is registered under: the container cannot make a control.
    HWND hwnd = pane.Create(owner.GetHwnd(), {0, 0, 200, 100}, L"{0badc0de-0000-4000-8000-000000000001}");
    ASSERT_NE(nullptr, hwnd);
    EXPECT_TRUE(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(pane.HasBrowser());
    EXPECT_EQ(S_FALSE, pane.Navigate(L"http://127.0.0.1:1/"));
}
