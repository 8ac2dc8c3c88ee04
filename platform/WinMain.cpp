// The entry point of a program built on the library: the program defines one
// global CWinApp-derived object, and this runs it.
#include "WinThread.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCmd)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    return app->WinMainEntry(instance, showCmd);
}
