#include "SkinFile.h"

const wchar_t* SkinFileStatusText(int status)
{
    switch (status) {
    case SKINFILE_OK: return L"";
    case SKINFILE_MISSING: return L"missing";
    case SKINFILE_UNREADABLE: return L"unreadable";
    case SKINFILE_TOO_LARGE: return L"too large";
    case SKINFILE_EMPTY: return L"empty";
    case SKINFILE_MALFORMED: return L"malformed";
    default: return L"refused";
    }
}

SkinFileStatus MeasureSkinFile(const wchar_t* path, long long& size)
{
    size = 0;
    WIN32_FILE_ATTRIBUTE_DATA a{};
    if (!path || !::GetFileAttributesExW(path, GetFileExInfoStandard, &a)) {
        const DWORD e = ::GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_NAME ? SKINFILE_MISSING
                                                                                                 : SKINFILE_UNREADABLE;
    }
    if (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return SKINFILE_UNREADABLE;
    size = ((long long)a.nFileSizeHigh << 32) | a.nFileSizeLow;
    if (size > kMaxSkinFileBytes)
        return SKINFILE_TOO_LARGE;
    return size == 0 ? SKINFILE_EMPTY : SKINFILE_OK;
}

SkinFileStatus ReadSkinFile(const wchar_t* path, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    long long size = 0;
    const SkinFileStatus measured = MeasureSkinFile(path, size);
    if (measured != SKINFILE_OK)
        return measured;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return SKINFILE_UNREADABLE;
    bytes.resize((size_t)size);
    DWORD got = 0;
    const bool ok = ::ReadFile(file, bytes.data(), (DWORD)bytes.size(), &got, nullptr) && got == bytes.size();
    ::CloseHandle(file);
    if (!ok) {
        bytes.clear();
        return SKINFILE_UNREADABLE;
    }
    return SKINFILE_OK;
}
