#include "ProgramFolder.h"

#include <windows.h>

namespace {

CString& OverrideFolder()
{
    static CString folder;
    return folder;
}

}  // namespace

CString GetProgramFolder()
{
    if (!OverrideFolder().IsEmpty())
        return OverrideFolder();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    CString folder(path, (int)n);
    int slash = folder.ReverseFind(L'\\');
    return slash >= 0 ? folder.Left(slash + 1) : CString();
}

void SetProgramFolder(const wchar_t* folder)
{
    CString f(folder);
    if (!f.IsEmpty() && f[f.GetLength() - 1] != L'\\')
        f += L'\\';
    OverrideFolder() = f;
}
