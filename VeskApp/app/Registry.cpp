#include "Registry.h"

#include "LanguageNames.h"
#include "ProgramFolder.h"

const wchar_t* const kRegistryKeyPath = L"Software\\Tandu\\Kovu";

LONG ReadRegistryValue(std::wstring& out, HKEY key, const wchar_t* name)
{
    out.clear();
    wchar_t buffer[kRegistryTextMax + 1] = {};
    DWORD type = 0;
    DWORD bytes = kRegistryTextMax * sizeof(wchar_t);  // one spare unit stays zero
    LONG status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    // The stored text need not be terminated: take what was read.
    size_t units = bytes / sizeof(wchar_t);
    buffer[units < kRegistryTextMax ? units : kRegistryTextMax] = 0;
    return TextOfRegistryValue(buffer, type, kRegistryTextMax, out) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

HKEY OpenProgramKey(HKEY root)
{
    // Read access only: the program runs as the user who started it, and a
    // user who is not an administrator may not write under HKLM.
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root, kRegistryKeyPath, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) == ERROR_SUCCESS)
        return key;
    return nullptr;
}

std::wstring WithoutTrailingBackslash(std::wstring dir)
{
    if (!dir.empty() && dir.back() == L'\\')
        dir.pop_back();
    return dir;
}

StartupSettings ReadStartupSettings(HKEY root)
{
    StartupSettings settings;
    HKEY key = OpenProgramKey(root);
    if (!key)
        return settings;
    settings.keyOpen = true;
    std::wstring text;
    if (ReadRegistryValue(text, key, L"Language") == ERROR_SUCCESS)
        settings.languageId = LanguageIdFromName(text.c_str());
    if (ReadRegistryValue(text, key, L"InstallDir") == ERROR_SUCCESS)
        settings.installDir = WithoutTrailingBackslash(text);
    ::RegCloseKey(key);
    return settings;
}
