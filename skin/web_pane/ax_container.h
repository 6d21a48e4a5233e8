// The system's ActiveX container window ("AtlAxWin" of atl.dll), loaded at run time because no ATL
// headers or libraries are available to us. Process-wide; window thread (COM initialised) only.
// Every failure is a null result: callers then simply have no control.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace ax_container {

// Registers the container class once; its name, or null when no container library is present.
const wchar_t* ClassName();
// Creates a container child of `parent` whose window text names the control to create (a ProgID, a
// "{CLSID}" or an address, which makes it a web browser). Null when there is no container.
HWND Create(HWND parent, const wchar_t* control, const RECT& rect, DWORD style, DWORD exStyle);
// The hosted control (AddRef'ed), or null.
IUnknown* Control(HWND container);
// Asks the container's host interface to create `control` in it; S_OK on success.
HRESULT CreateControl(HWND container, const wchar_t* control);

}  // namespace ax_container
