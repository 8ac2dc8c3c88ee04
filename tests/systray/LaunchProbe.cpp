// A stand-in for a program the tray starts: it writes "launched.txt" beside
// itself and ends.
#include <windows.h>

int wmain()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return 1;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash || (slash - path) + 14 >= MAX_PATH)
        return 1;
    wcscpy(slash + 1, L"launched.txt");
    HANDLE f = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(f);
    return 0;
}
