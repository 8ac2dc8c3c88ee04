// The one main of every test program: binary stdout (so ctest reads test
// names without carriage returns), common controls, then GoogleTest.
#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <stdio.h>

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // No error boxes: a crash must end the process, not wait for a click.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
