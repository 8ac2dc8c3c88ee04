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

bool TextOfRegistryValue(const wchar_t* stored, DWORD type, DWORD maxChars, std::wstring& out)
{
    out.clear();
    if (!stored)
        return false;
    if (type != REG_EXPAND_SZ) {
        out = stored;
        return true;
    }
    std::wstring expanded(maxChars, L'\0');
    // The count returned includes the terminator; a larger one than the
    // buffer means nothing was expanded, whatever the buffer holds.
    const DWORD needed = maxChars ? ::ExpandEnvironmentStringsW(stored, &expanded[0], maxChars) : 0;
    if (needed == 0 || needed > maxChars)
        return false;
    expanded.resize(needed - 1);
    out = expanded;
    return true;
}
