// Owners (Auto*) close one handle exactly once; restorers (Scoped*) undo one selection or lock.
// None can be copied; owners can be moved. A failure leaves an owner empty, never throws.
#pragma once
#include <windows.h>
#include <utility>

template <typename Traits>
class AutoOwner {
public:
    using Handle = typename Traits::Handle;
    AutoOwner() = default;
    explicit AutoOwner(Handle h) : m_h(h) {}
    ~AutoOwner() { Reset(); }
    AutoOwner(const AutoOwner&) = delete;
    AutoOwner& operator=(const AutoOwner&) = delete;
    AutoOwner(AutoOwner&& other) noexcept : m_h(other.Release()) {}
    AutoOwner& operator=(AutoOwner&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    Handle Release() { return std::exchange(m_h, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty()) {
        if (Traits::IsValid(m_h)) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Empty();
};

namespace handle_traits {
// A handle that null marks empty; a traits class adds its Close.
template <typename H>
struct NullEmpty {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
};
struct Kernel {  // CreateFile gives INVALID_HANDLE_VALUE, most others null: both mean empty
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindFile {  // FindFirstFile gives INVALID_HANDLE_VALUE on failure
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct ServiceManager : NullEmpty<SC_HANDLE> {
    static void Close(Handle h) { ::CloseServiceHandle(h); }
};
struct RegistryKey : NullEmpty<HKEY> {
    static void Close(Handle h) { ::RegCloseKey(h); }
};
template <typename T>
struct GdiObject : NullEmpty<T> {
    static void Close(T h) { ::DeleteObject(h); }
};
template <typename T>
struct ComInterface : NullEmpty<T*> {  // one reference to a COM object
    static void Close(T* object) { object->Release(); }
};
struct MemoryDC : NullEmpty<HDC> {
    static void Close(Handle h) { ::DeleteDC(h); }
};
struct Module : NullEmpty<HMODULE> {
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct Icon : NullEmpty<HICON> {
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct Menu : NullEmpty<HMENU> {
    static void Close(Handle h) { ::DestroyMenu(h); }
};
// For windows owned outside a window class (tests, helper windows).
struct Window : NullEmpty<HWND> {
    static void Close(Handle h) { ::DestroyWindow(h); }
};
}  // namespace handle_traits

using AutoHandle = AutoOwner<handle_traits::Kernel>;
using AutoFindFile = AutoOwner<handle_traits::FindFile>;
using AutoScHandle = AutoOwner<handle_traits::ServiceManager>;
using AutoRegKey = AutoOwner<handle_traits::RegistryKey>;
using AutoBitmap = AutoOwner<handle_traits::GdiObject<HBITMAP>>;
using AutoFont = AutoOwner<handle_traits::GdiObject<HFONT>>;
using AutoBrush = AutoOwner<handle_traits::GdiObject<HBRUSH>>;
using AutoPen = AutoOwner<handle_traits::GdiObject<HPEN>>;
using AutoRgn = AutoOwner<handle_traits::GdiObject<HRGN>>;
using AutoMemoryDC = AutoOwner<handle_traits::MemoryDC>;
using AutoModule = AutoOwner<handle_traits::Module>;
using AutoIcon = AutoOwner<handle_traits::Icon>;
using AutoMenu = AutoOwner<handle_traits::Menu>;
using AutoWindow = AutoOwner<handle_traits::Window>;
template <typename T>
using AutoCom = AutoOwner<handle_traits::ComInterface<T>>;

// A second handle of this process to `handle` (an event, say), with the same access, for another thread
// to hold and close; empty when `handle` is null or cannot be duplicated.
inline AutoHandle DuplicateOwn(HANDLE handle) {
    HANDLE own = nullptr;
    if (handle)
        ::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return AutoHandle(own);
}

// Takes a window's DC and releases it.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~ScopedGetDC() { if (m_dc) ::ReleaseDC(m_hwnd, m_dc); }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;  // not owned
    HDC m_dc;
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelectObject() { if (m_old) ::SelectObject(m_dc, m_old); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// Enters a critical section for the scope.
class ScopedCritSec {
public:
    explicit ScopedCritSec(CRITICAL_SECTION* cs) : m_cs(cs) { ::EnterCriticalSection(m_cs); }
    ~ScopedCritSec() { ::LeaveCriticalSection(m_cs); }
    ScopedCritSec(const ScopedCritSec&) = delete;
    ScopedCritSec& operator=(const ScopedCritSec&) = delete;

private:
    CRITICAL_SECTION* m_cs;
};
