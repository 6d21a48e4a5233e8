#include "skin/web_pane/ax_container.h"

#include "common/handles.h"

namespace ax_container {
namespace {
// The container's host interface, as the ATL libraries publish it.
struct IAxWinHostWindow : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateControl(LPCOLESTR lpTricsData, HWND hWnd, IStream* pStream) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateControlEx(LPCOLESTR lpTricsData, HWND hWnd, IStream* pStream,
                                                      IUnknown** ppUnk, REFIID riidAdvise, IUnknown* punkAdvise) = 0;
    virtual HRESULT STDMETHODCALLTYPE AttachControl(IUnknown* pUnkControl, HWND hWnd) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryControl(REFIID riid, void** ppvObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetExternalDispatch(IDispatch* pDisp) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetExternalUIHandler(IUnknown* pDisp) = 0;
};
const IID kIidAxWinHostWindow = {0xb6ea2050, 0x048a, 0x11d1, {0x82, 0xb9, 0x00, 0xc0, 0x4f, 0xb1, 0x62, 0x5d}};

using WinInitFn = BOOL(WINAPI*)();
using GetUnknownFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// GetProcAddress gives a generic pointer; going through void* says the cast is intended.
template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

struct Library {
    AutoModule module;
    const wchar_t* className = nullptr;
    GetUnknownFn getControl = nullptr;
    GetUnknownFn getHost = nullptr;
};

Library& Loaded() {
    // Loaded once and kept for the process: container windows call into it until they die.
    static Library library = [] {
        Library lib;
        lib.module.Reset(::LoadLibraryW(L"atl.dll"));
        if (!lib.module) return lib;
        auto init = Export<WinInitFn>(lib.module.Get(), "AtlAxWinInit");
        lib.getControl = Export<GetUnknownFn>(lib.module.Get(), "AtlAxGetControl");
        lib.getHost = Export<GetUnknownFn>(lib.module.Get(), "AtlAxGetHost");
        if (init && init()) lib.className = L"AtlAxWin";
        return lib;
    }();
    return library;
}
}  // namespace

const wchar_t* ClassName() { return Loaded().className; }

HWND Create(HWND parent, const wchar_t* control, const RECT& rect, DWORD style, DWORD exStyle) {
    const wchar_t* name = ClassName();
    if (!name) return nullptr;
    return ::CreateWindowExW(exStyle, name, control ? control : L"", style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

IUnknown* Control(HWND container) {
    IUnknown* control = nullptr;
    if (!container || !Loaded().getControl || FAILED(Loaded().getControl(container, &control))) return nullptr;
    return control;
}

HRESULT CreateControl(HWND container, const wchar_t* control) {
    IUnknown* host = nullptr;
    if (!container || !Loaded().getHost || FAILED(Loaded().getHost(container, &host)) || !host) return E_FAIL;
    IAxWinHostWindow* hostWindow = nullptr;
    HRESULT hr = host->QueryInterface(kIidAxWinHostWindow, reinterpret_cast<void**>(&hostWindow));
    host->Release();
    if (FAILED(hr) || !hostWindow) return FAILED(hr) ? hr : E_NOINTERFACE;
    hr = hostWindow->CreateControl(control, container, nullptr);
    hostWindow->Release();
    return hr;
}

}  // namespace ax_container
