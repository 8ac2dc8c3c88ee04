// The configurator's registry values: HKLM "Software\Tandu\Kovu", values
// `Language` and `InstallDir`.
#pragma once
#include <windows.h>

#include <string>

extern const wchar_t* const kRegistryKeyPath;  // L"Software\\Tandu\\Kovu"
constexpr DWORD kRegistryTextMax = 260;         // characters, with the terminator

// Reads one REG_SZ value into `out`, or a REG_EXPAND_SZ one with its
// %NAME% references expanded. The value is read into a bounded buffer and
// always terminated; another type, a missing value or a value (stored or
// expanded) longer than the buffer gives a failure status and an empty `out`.
// Returns the registry status (ERROR_SUCCESS on success).
LONG ReadRegistryValue(std::wstring& out, HKEY key, const wchar_t* name);

// Opens the key for reading, creating it when it does not exist; null when
// neither works. The caller closes it.
HKEY OpenProgramKey(HKEY root = HKEY_LOCAL_MACHINE);

// What start-up takes from the key.
struct StartupSettings {
    bool keyOpen = false;
    int languageId = 0;       // a LanguageNameTable id; -1 for an unknown name (English is used)
    std::wstring installDir;  // without a trailing backslash; empty when none
};
// Reads both values (BuildLanguageTable must have run).
StartupSettings ReadStartupSettings(HKEY root = HKEY_LOCAL_MACHINE);

// `dir` without one trailing backslash (an empty text stays empty).
std::wstring WithoutTrailingBackslash(std::wstring dir);
