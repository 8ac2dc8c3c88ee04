// A stand-in for a program that another program starts: it records each
// start (its command line) in "<its own path>.log" and ends at once. Tests
// copy it under the real programs' names into a scratch InstallDir.
#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR cmdLine, int)
{
    wchar_t path[MAX_PATH + 8] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    wcscat(path, L".log");
    FILE* f = _wfopen(path, L"ab");
    if (!f)
        return 1;
    fprintf(f, "started %ls\n", cmdLine ? cmdLine : L"");
    fclose(f);
    return 0;
}
