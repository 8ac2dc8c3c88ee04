#include "FileVersions.h"

#include <windows.h>

#include <vector>

CFileVersions::CFileVersions() : m_fileVersion(L"0.0.0.0"), m_productVersion(L"0.0.0.0")
{
    m_productParts[1] = L"0";
}

void CFileVersions::ReadModulePath()
{
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    m_modulePath = n > 0 && n < MAX_PATH ? path : L"";
}

namespace {

void SplitVersion(DWORD ms, DWORD ls, CString parts[4], CString& joined)
{
    const unsigned numbers[4] = {HIWORD(ms), LOWORD(ms), HIWORD(ls), LOWORD(ls)};
    for (int i = 0; i < 4; ++i)
        parts[i].Format(L"%u", numbers[i]);
    joined.Format(L"%u.%u.%u.%u", numbers[0], numbers[1], numbers[2], numbers[3]);
}

}  // namespace

bool CFileVersions::ReadVersions()
{
    if (m_modulePath.IsEmpty())
        return false;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(m_modulePath, &handle);
    if (size == 0)
        return false;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(m_modulePath, 0, size, data.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length != sizeof(VS_FIXEDFILEINFO))
        return false;
    SplitVersion(info->dwFileVersionMS, info->dwFileVersionLS, m_fileParts, m_fileVersion);
    SplitVersion(info->dwProductVersionMS, info->dwProductVersionLS, m_productParts, m_productVersion);
    return true;
}
