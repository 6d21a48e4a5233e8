// The window tests need GDI+ for the skin images and OLE for the prompt's web pane.
#include <gtest/gtest.h>
#include <ole2.h>

#include "skin/files/gdiplus_session.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    int rc = 0;
    {
        ScopedGdiplus gdiplus;
        rc = RUN_ALL_TESTS();
    }
    ::OleUninitialize();
    return rc;
}
