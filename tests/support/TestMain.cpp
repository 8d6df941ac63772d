// The entry point of every test executable: OLE and the common controls are initialised once for
// the process, as the program itself does, then GoogleTest runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    int rc = RUN_ALL_TESTS();
    OleUninitialize();
    return rc;
}
