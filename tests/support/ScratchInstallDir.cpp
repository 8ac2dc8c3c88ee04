#include "ScratchInstallDir.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const wchar_t kKey[] = L"Software\\Tandu\\Kovu";
const wchar_t* const kPrograms[] = {L"TanduKovuSysTray.exe", L"TanduKovuConfig.exe"};

// The stand-in in <build>\tests\standin\: found from the test program's
// folder upwards.
std::wstring StandInPath()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    for (int up = 0; up < 5; ++up) {
        size_t slash = folder.find_last_of(L'\\');
        if (slash == std::wstring::npos)
            break;
        folder.resize(slash);
        std::wstring candidate = folder + L"\\standin\\tk_standin.exe";
        if (::GetFileAttributesW(candidate.c_str()) != INVALID_FILE_ATTRIBUTES)
            return candidate;
    }
    return std::wstring();
}

}  // namespace

bool SetProgramRegistryValue(const wchar_t* name, const wchar_t* value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG r = value ? ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                      (DWORD)((wcslen(value) + 1) * sizeof(wchar_t)))
                   : ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
    return r == ERROR_SUCCESS || (!value && r == ERROR_FILE_NOT_FOUND);
}

bool GetProgramRegistryValue(const wchar_t* name, std::wstring& out)
{
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
        return false;
    out = buffer;
    return true;
}

ScratchInstallDir::ScratchInstallDir(bool trailingBackslash)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    wchar_t name[80];
    swprintf(name, 80, L"tk-install-%lu-%llx\\", ::GetCurrentProcessId(), (unsigned long long)now.QuadPart);
    m_folder = std::wstring(temp) + name;
    if (!::CreateDirectoryW(m_folder.c_str(), nullptr))
        return;
    std::wstring standIn = StandInPath();
    for (const wchar_t* program : kPrograms) {
        if (!::CopyFileW(standIn.c_str(), (m_folder + program).c_str(), FALSE))
            return;
    }
    m_hadPrevious = GetProgramRegistryValue(L"InstallDir", m_previous);
    std::wstring value = trailingBackslash ? m_folder : m_folder.substr(0, m_folder.size() - 1);
    m_ready = SetProgramRegistryValue(L"InstallDir", value.c_str());
}

ScratchInstallDir::~ScratchInstallDir()
{
    SetProgramRegistryValue(L"InstallDir", m_hadPrevious ? m_previous.c_str() : nullptr);
    for (const wchar_t* program : kPrograms) {
        ::DeleteFileW((m_folder + program).c_str());
        ::DeleteFileW((m_folder + program + L".log").c_str());
    }
    ::RemoveDirectoryW(m_folder.c_str());
}

int ScratchInstallDir::StartCount(const wchar_t* program) const
{
    FILE* f = _wfopen((m_folder + program + L".log").c_str(), L"rb");
    if (!f)
        return 0;
    int count = 0;
    char line[512];
    while (fgets(line, sizeof(line), f))
        ++count;
    fclose(f);
    return count;
}
