// A scratch installation folder for tests of the programs starting each
// other: HKLM "Software\Tandu\Kovu" `InstallDir` names it for the scope
// (the previous value comes back afterwards), and it holds recording
// stand-ins under the real programs' names, which log every start. Tests
// that use it take the ctest lock tk_device_service (they all use the
// service too), so no two of them point InstallDir at once.
#pragma once
#include <string>

class ScratchInstallDir {
public:
    // trailingBackslash: write the value with a trailing backslash.
    explicit ScratchInstallDir(bool trailingBackslash = false);
    ~ScratchInstallDir();
    ScratchInstallDir(const ScratchInstallDir&) = delete;
    ScratchInstallDir& operator=(const ScratchInstallDir&) = delete;

    bool Ready() const { return m_ready; }
    const std::wstring& Folder() const { return m_folder; }  // with trailing backslash
    // How often the stand-in of that name (for example
    // L"TanduKovuSysTray.exe") was started.
    int StartCount(const wchar_t* program) const;

private:
    std::wstring m_folder;
    std::wstring m_previous;
    bool m_hadPrevious = false;
    bool m_ready = false;
};

// Sets (or, with a null value, deletes) a value under HKLM
// "Software\Tandu\Kovu"; true on success.
bool SetProgramRegistryValue(const wchar_t* name, const wchar_t* value);
// Reads it; false when missing.
bool GetProgramRegistryValue(const wchar_t* name, std::wstring& out);
