// The tray's operations on the system: the settings the installation keeps
// in the registry, starting the configurator from its installation folder,
// and what runs in the foreground.
#pragma once
#include <windows.h>

#include "String.h"

// The installation's key (under HKEY_LOCAL_MACHINE) and the configurator.
extern const wchar_t kTanduKovuKey[];
extern const wchar_t kConfiguratorExe[];

class CPcManager {
public:
    virtual ~CPcManager() = default;

    // A REG_SZ value of the key (created when missing), or a REG_EXPAND_SZ
    // one expanded; false when it cannot be read. The text, stored or
    // expanded, is bounded by the 510-byte buffer and terminated.
    static bool ReadRegistryText(HKEY root, const wchar_t* key, const wchar_t* value, CString& out);
    static bool ReadLanguageSetting(CString& out);
    // Makes `InstallDir` (without a trailing backslash) the current folder
    // and opens the configurator there; false when nothing was started.
    static bool LaunchConfigurator();
    static bool LaunchProgramIn(const CString& folder, const wchar_t* exe);
    // The executable file name (no folder) of a process.
    static bool GetProcessExeName(DWORD processId, CString& out);
    // Whether the foreground window's program has exactly that file name.
    static bool ForegroundMatches(const CString& exeName);
    // Whether a process of exactly that file name runs.
    static bool IsProcessRunning(const wchar_t* exeName);
    static bool IsConfiguratorRunning();
    static bool EnableDebugPrivilege();
    // The tray's double click and its menu's configurator item.
    static void StartConfiguratorUnlessRunning();
};
