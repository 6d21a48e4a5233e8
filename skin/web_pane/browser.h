// CBrowser: a child pane hosting the system's web browser control in the ActiveX container. It listens
// to DocumentComplete (259), BeforeNavigate2 (250) and NewWindow3 (273) and refuses every new window.
// When the control cannot be created the pane stays an empty child window and Navigate does nothing.
// Window thread with COM initialised; owns its browser interface and event connection until its
// window is destroyed (or the object, whichever comes first); the pane may then be created again.
#pragma once
#include "skin/window/window_impl.h"

#include <exdisp.h>
#include <ocidl.h>
#include <oleauto.h>

class CBrowser;

// The browser control's event interface, embedded in its pane (its lifetime is the pane's).
class CBrowserEventSink : public IDispatch {
public:
    explicit CBrowserEventSink(CBrowser& owner) : m_owner(owner) {}
    void SetEventIid(const IID& iid) { m_eventIid = iid; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

private:
    CBrowser& m_owner;
    IID m_eventIid = DIID_DWebBrowserEvents2;
};

class CBrowser : public CWindowImpl {
public:
    enum : DISPID { kDispBeforeNavigate2 = 250, kDispDocumentComplete = 259, kDispNewWindow3 = 273 };

    CBrowser() : m_sink(*this) {}
    ~CBrowser() override;

    // Creates the pane; `title` is the address to show. Style 0 means a visible clipping child. A second
    // call while the pane exists creates nothing and returns the existing pane.
    HWND Create(HWND parent, const RECT& rect, const wchar_t* title, DWORD style = 0, DWORD exStyle = 0,
                HMENU menu = nullptr);
    // Navigate2 to `url` in this frame. S_FALSE (nothing done) without a browser; E_OUTOFMEMORY when the
    // address cannot be copied.
    HRESULT Navigate(const wchar_t* url);

    bool HasBrowser() const { return m_browser != nullptr; }
    IWebBrowser2* GetBrowser() const { return m_browser; }  // borrowed; null without a live control
    HWND GetHostHwnd() const { return m_host; }
    IDispatch* EventSink() { return &m_sink; }

    bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Event handlers; a derived pane may replace them.
    virtual void OnNewWindow3(IDispatch** newBrowser, VARIANT_BOOL* cancel, DWORD flags, BSTR contextUrl, BSTR url);
    virtual void OnBeforeNavigate2(IDispatch* browser, VARIANT* url, VARIANT* flags, VARIANT* targetFrame,
                                   VARIANT* postData, VARIANT* headers, VARIANT_BOOL* cancel) {}
    virtual void OnDocumentComplete(IDispatch* browser, VARIANT* url) {}

protected:
    const wchar_t* GetWndClassName() const override { return L"SkinBrowserPane"; }
    UINT GetClassStyle() const override { return 0; }

private:
    void OnCreate(HWND hwnd, const wchar_t* title);
    void ConnectEvents(IUnknown* control);
    void Disconnect();

    CBrowserEventSink m_sink;
    HWND m_host = nullptr;  // child of the pane, destroyed with it
    IWebBrowser2* m_browser = nullptr;  // owned reference
    IConnectionPoint* m_connection = nullptr;  // owned reference
    DWORD m_cookie = 0;
    IID m_eventIid = DIID_DWebBrowserEvents2;
};
