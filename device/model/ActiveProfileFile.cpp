#include "ActiveProfileFile.h"
#include <windows.h>
#include "BoundedText.h"

namespace {

const size_t kPathChars = 260;
const size_t kValueChars = 4096;
const wchar_t kSection[] = L"SETTINGS";
const wchar_t kKey[] = L"ActiveProfileName";

wchar_t g_iniPath[kPathChars];
wchar_t g_saveFolder[kPathChars];

// Joins parts into a buffer of kPathChars; false (and an empty buffer) when
// the text would not fit.
bool JoinBounded(wchar_t* out, std::initializer_list<const wchar_t*> parts)
{
    std::wstring text;
    for (const wchar_t* p : parts)
        text += p ? p : L"";
    if (text.size() >= kPathChars) {
        out[0] = 0;
        return false;
    }
    CopyBoundedText(out, kPathChars, text.c_str());
    return true;
}

}  // namespace

bool BuildConfigStoragePaths(const wchar_t* programFolder)
{
    bool ok = JoinBounded(g_iniPath, {programFolder, L"save\\", L"Vesk", L".", L"qvc"}) &&
              JoinBounded(g_saveFolder, {programFolder, L"save\\"});
    if (!ok) {
        g_iniPath[0] = 0;
        g_saveFolder[0] = 0;
    }
    return ok;
}

std::wstring ExecutableFolder()
{
    std::wstring path(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, &path[0], (DWORD)path.size());
    if (n == 0 || n >= path.size())
        return std::wstring();
    path.resize(n);
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

const wchar_t* ConfigIniPath() { return g_iniPath; }
const wchar_t* ConfigSaveFolder() { return g_saveFolder; }

std::vector<std::wstring> FindProfileFiles(const wchar_t* folder, const wchar_t* ext)
{
    std::vector<std::wstring> names;
    if (!folder || !*folder || !ext)
        return names;
    std::wstring pattern = std::wstring(folder) + L"*." + ext;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::wstring name(data.cFileName, BoundedTextLength(data.cFileName, MAX_PATH));
        size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos)
            name.resize(dot);
        names.push_back(name.substr(0, 255));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::wstring ReadActiveProfileName(const wchar_t* iniPath)
{
    if (!iniPath || !*iniPath)
        return std::wstring();
    std::wstring value(kValueChars, L'\0');
    DWORD n = GetPrivateProfileStringW(kSection, kKey, L"", &value[0], (DWORD)kValueChars, iniPath);
    value.resize(n < kValueChars ? n : kValueChars - 1);
    return value;
}

bool WriteActiveProfileName(const wchar_t* iniPath, const wchar_t* name)
{
    if (!iniPath || !*iniPath || !name)
        return false;
    // The private-profile functions keep a file's encoding; one that starts
    // with the UTF-16 mark is written back as UTF-16.
    HANDLE file = CreateFileW(iniPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const unsigned char bom[2] = {0xFF, 0xFE};
        DWORD written = 0;
        WriteFile(file, bom, sizeof(bom), &written, nullptr);
        CloseHandle(file);
    }
    return WritePrivateProfileStringW(kSection, kKey, name, iniPath) != FALSE;
}
