#include "skin/web_pane/browser.h"

#include "skin/web_pane/ax_container.h"

namespace {
constexpr DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// Argument `index` counted from the first declared parameter (DISPPARAMS holds them in reverse).
VARIANT* Arg(DISPPARAMS* params, UINT index, UINT count) {
    return &params->rgvarg[count - 1 - index];
}
VARIANT_BOOL* BoolRef(VARIANT* v) { return V_VT(v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(v) : nullptr; }
IDispatch* Dispatch(VARIANT* v) { return V_VT(v) == VT_DISPATCH ? V_DISPATCH(v) : nullptr; }
IDispatch** DispatchRef(VARIANT* v) { return V_VT(v) == (VT_DISPATCH | VT_BYREF) ? V_DISPATCHREF(v) : nullptr; }
BSTR Bstr(VARIANT* v) { return V_VT(v) == VT_BSTR ? V_BSTR(v) : nullptr; }
DWORD Dword(VARIANT* v) {
    VARIANT copy;
    ::VariantInit(&copy);
    DWORD value = 0;
    if (SUCCEEDED(::VariantChangeType(&copy, v, 0, VT_UI4))) value = V_UI4(&copy);
    ::VariantClear(&copy);
    return value;
}
// The variant a by-reference VARIANT argument points to, or the argument itself.
VARIANT* Deref(VARIANT* v) { return V_VT(v) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(v) : v; }
}  // namespace

HRESULT STDMETHODCALLTYPE CBrowserEventSink::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, m_eventIid)) {
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CBrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}
HRESULT STDMETHODCALLTYPE CBrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE CBrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CBrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                    EXCEPINFO*, UINT*) {
    const UINT n = params ? params->cArgs : 0;
    // The arguments come from the control: check their count and types before trusting them.
    switch (id) {
        case CBrowser::kDispNewWindow3:
            if (n < 5) return DISP_E_BADPARAMCOUNT;
            m_owner.OnNewWindow3(DispatchRef(Arg(params, 0, n)), BoolRef(Arg(params, 1, n)), Dword(Arg(params, 2, n)),
                                 Bstr(Arg(params, 3, n)), Bstr(Arg(params, 4, n)));
            return S_OK;
        case CBrowser::kDispBeforeNavigate2:
            if (n < 7) return DISP_E_BADPARAMCOUNT;
            m_owner.OnBeforeNavigate2(Dispatch(Arg(params, 0, n)), Deref(Arg(params, 1, n)), Deref(Arg(params, 2, n)),
                                      Deref(Arg(params, 3, n)), Deref(Arg(params, 4, n)), Deref(Arg(params, 5, n)),
                                      BoolRef(Arg(params, 6, n)));
            return S_OK;
        case CBrowser::kDispDocumentComplete:
            if (n < 2) return DISP_E_BADPARAMCOUNT;
            m_owner.OnDocumentComplete(Dispatch(Arg(params, 0, n)), Deref(Arg(params, 1, n)));
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

CBrowser::~CBrowser() { Disconnect(); }

void CBrowser::Disconnect() {
    // Unadvise before the browser goes: a control that outlives the pane must not call a dead sink.
    if (m_connection) {
        m_connection->Unadvise(m_cookie);
        m_connection->Release();
        m_connection = nullptr;
    }
    if (m_browser) {
        m_browser->Release();
        m_browser = nullptr;
    }
}

HWND CBrowser::Create(HWND parent, const RECT& rect, const wchar_t* title, DWORD style, DWORD exStyle, HMENU menu) {
    if (IsWindow()) return m_hWnd;
    return CWindowImpl::Create(parent, rect, title, style ? style : kDefaultStyle, exStyle, menu);
}

void CBrowser::OnNewWindow3(IDispatch**, VARIANT_BOOL* cancel, DWORD, BSTR, BSTR) {
    if (cancel) *cancel = VARIANT_TRUE;  // pages never open windows of their own
}

void CBrowser::ConnectEvents(IUnknown* control) {
    IID events = DIID_DWebBrowserEvents2;
    IProvideClassInfo2* info = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info))) && info) {
        GUID found = {};
        if (SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &found))) events = found;
        info->Release();
    }
    IConnectionPointContainer* container = nullptr;
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) ||
        !container)
        return;
    IConnectionPoint* point = nullptr;
    m_eventIid = events;
    m_sink.SetEventIid(events);
    if (SUCCEEDED(container->FindConnectionPoint(events, &point)) && point) {
        if (SUCCEEDED(point->Advise(&m_sink, &m_cookie))) {
            m_connection = point;
        } else {
            point->Release();
        }
    }
    container->Release();
}

void CBrowser::OnCreate(HWND hwnd, const wchar_t* title) {
    Disconnect();  // nothing of an earlier window may survive into this one
    m_host = nullptr;
    ::ShowWindow(hwnd, SW_HIDE);
    const RECT initial = {0, 0, 500, 500};
    m_host = ax_container::Create(hwnd, title, initial,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL,
                                  WS_EX_NOACTIVATE);
    if (!m_host) return;
    IUnknown* control = ax_container::Control(m_host);
    if (!control && title && *title && SUCCEEDED(ax_container::CreateControl(m_host, title)))
        control = ax_container::Control(m_host);
    if (!control) return;
    if (FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_browser)))) m_browser = nullptr;
    if (m_browser) ConnectEvents(control);
    control->Release();
}

HRESULT CBrowser::Navigate(const wchar_t* url) {
    if (!m_browser || !url || !IsWindow()) return S_FALSE;
    VARIANT address;
    ::VariantInit(&address);
    V_VT(&address) = VT_BSTR;
    V_BSTR(&address) = ::SysAllocString(url);
    if (!V_BSTR(&address)) return E_OUTOFMEMORY;
    VARIANT empty, target;
    ::VariantInit(&empty);
    ::VariantInit(&target);
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = ::SysAllocString(L"_self");
    HRESULT hr = V_BSTR(&target) ? m_browser->Navigate2(&address, &empty, &target, &empty, &empty) : E_OUTOFMEMORY;
    ::VariantClear(&target);
    ::VariantClear(&address);
    return hr;
}

bool CBrowser::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CREATE:
            OnCreate(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpszName);
            result = 0;
            return true;
        case WM_SIZE:
            if (m_host) {
                RECT client = {};
                ::GetClientRect(hwnd, &client);
                ::SetWindowPos(m_host, nullptr, 0, 0, client.right, client.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
            }
            result = 0;
            return true;
        case WM_DESTROY:
            // The control dies with the container child: let go of it and its events while it still
            // exists, so that a pane created again starts clean and Navigate finds no stale control.
            Disconnect();
            m_host = nullptr;
            result = 0;
            return true;
        default:
            return false;
    }
}
