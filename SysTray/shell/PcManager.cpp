#include "PcManager.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <functional>

#include "ProgramFolder.h"

const wchar_t kTanduKovuKey[] = L"Software\\Tandu\\Kovu";
const wchar_t kConfiguratorExe[] = L"TanduKovuConfig.exe";

namespace {

constexpr DWORD kRegistryBufferBytes = 510;

// Walks a snapshot of all processes until visit returns true.
bool AnyProcess(const std::function<bool(const PROCESSENTRY32W&)>& visit)
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL ok = ::Process32FirstW(snapshot, &entry); ok && !found; ok = ::Process32NextW(snapshot, &entry)) {
        entry.szExeFile[MAX_PATH - 1] = 0;
        found = visit(entry);
    }
    ::CloseHandle(snapshot);
    return found;
}

// The file name part of what a snapshot reports.
CString FileNameOf(const wchar_t* path)
{
    CString p(path);
    int slash = p.ReverseFind(L'\\');
    return slash >= 0 ? p.Mid(slash + 1) : p;
}

}  // namespace

bool CPcManager::ReadRegistryText(HKEY root, const wchar_t* key, const wchar_t* value, CString& out)
{
    HKEY h = nullptr;
    if (::RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_READ, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[kRegistryBufferBytes / sizeof(wchar_t)] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);  // room for the terminator stays
    DWORD type = 0;
    LONG r = ::RegQueryValueExW(h, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(h);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    constexpr DWORD units = kRegistryBufferBytes / sizeof(wchar_t);
    size_t chars = size / sizeof(wchar_t);
    if (chars >= units)
        chars = units - 1;
    buffer[chars] = 0;
    std::wstring text;
    if (!TextOfRegistryValue(buffer, type, units, text))
        return false;
    out = text;
    return true;
}

bool CPcManager::ReadLanguageSetting(CString& out)
{
    return ReadRegistryText(HKEY_LOCAL_MACHINE, kTanduKovuKey, L"Language", out);
}

bool CPcManager::LaunchConfigurator()
{
    CString folder;
    return ReadRegistryText(HKEY_LOCAL_MACHINE, kTanduKovuKey, L"InstallDir", folder) &&
           LaunchProgramIn(folder, kConfiguratorExe);
}

bool CPcManager::LaunchProgramIn(const CString& folder, const wchar_t* exe)
{
    CString dir = folder;
    if (dir.GetLength() > 0 && dir[dir.GetLength() - 1] == L'\\')
        dir = dir.Left(dir.GetLength() - 1);
    // A folder that cannot be made current starts nothing: the program of
    // that name in whatever folder is current now is not the configurator.
    if (dir.IsEmpty() || !::SetCurrentDirectoryW(dir))
        return false;
    HINSTANCE r = ::ShellExecuteW(nullptr, L"open", exe, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

bool CPcManager::GetProcessExeName(DWORD processId, CString& out)
{
    return AnyProcess([&](const PROCESSENTRY32W& e) {
        if (e.th32ProcessID != processId)
            return false;
        out = FileNameOf(e.szExeFile);
        return true;
    });
}

bool CPcManager::ForegroundMatches(const CString& exeName)
{
    HWND foreground = ::GetForegroundWindow();
    DWORD pid = 0;
    CString name;
    return foreground && ::GetWindowThreadProcessId(foreground, &pid) && GetProcessExeName(pid, name) &&
           name == exeName;
}

bool CPcManager::IsProcessRunning(const wchar_t* exeName)
{
    return AnyProcess([&](const PROCESSENTRY32W& e) { return FileNameOf(e.szExeFile) == exeName; });
}

bool CPcManager::EnableDebugPrivilege()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return false;
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = ::LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &tp.Privileges[0].Luid) &&
              ::AdjustTokenPrivileges(token, FALSE, &tp, sizeof(tp), nullptr, nullptr) &&
              ::GetLastError() == ERROR_SUCCESS;
    ::CloseHandle(token);
    return ok;
}

bool CPcManager::IsConfiguratorRunning()
{
    EnableDebugPrivilege();
    return IsProcessRunning(kConfiguratorExe);
}

void CPcManager::StartConfiguratorUnlessRunning()
{
    if (!IsConfiguratorRunning())
        LaunchConfigurator();
}
