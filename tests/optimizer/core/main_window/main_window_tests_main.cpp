// The main window tests need GDI+ for the skin, OLE for the web pane, and one tray icon of their own for
// the whole run: Wine hides its stand-alone tray window (a two-second wait) whenever the last icon goes.
#include <gtest/gtest.h>
#include <ole2.h>

#include "optimizer/core/tray/tray_icon.h"
#include "skin/files/gdiplus_session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    int rc = 0;
    {
        ScopedGdiplus gdiplus;
        HWND keeper = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        CTrayIcon keep;
        keep.Add(keeper, 1, WM_APP, ::LoadIconW(nullptr, IDI_APPLICATION), L"tests");
        rc = RUN_ALL_TESTS();
        keep.Delete();
        ::DestroyWindow(keeper);
    }
    ::OleUninitialize();
    return rc;
}
