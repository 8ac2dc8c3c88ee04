#include "ProgramRun.h"

#include "RecordingWnd.h"

std::wstring ProgramDir()
{
    wchar_t dir[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TK_PROGRAM_DIR", dir, MAX_PATH);
    if (n && n < MAX_PATH)
        return dir;
    n = ::GetCurrentDirectoryW(MAX_PATH, dir);
    return n && n < MAX_PATH ? std::wstring(dir) : std::wstring(L".");
}

namespace {

HANDLE Launch(const std::wstring& exe, const std::wstring& args, const std::wstring& dir, DWORD* pid)
{
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return nullptr;
    ::CloseHandle(pi.hThread);
    if (pid)
        *pid = pi.dwProcessId;
    return pi.hProcess;
}

struct FindData {
    DWORD pid;
    const wchar_t* cls;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND h, LPARAM lp)
{
    FindData* f = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    if (pid != f->pid || (f->visibleOnly && !::IsWindowVisible(h)))
        return TRUE;
    wchar_t cls[128] = {};
    ::GetClassNameW(h, cls, 128);
    if (f->cls && wcscmp(cls, f->cls) != 0)
        return TRUE;
    // Without a class: the program's own captioned windows, not the
    // system's helper windows (IME and the like).
    if (!f->cls && !(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION))
        return TRUE;
    f->found = h;
    return FALSE;
}

}  // namespace

int RunDeviceCtl(const std::wstring& args)
{
    std::wstring dir = ProgramDir() + L"\\service";
    HANDLE process = Launch(dir + L"\\TkDeviceCtl.exe", args, dir, nullptr);
    if (!process)
        return -1;
    int code = -1;
    if (::WaitForSingleObject(process, kHangTimeoutMs) == WAIT_OBJECT_0) {
        DWORD c = 0;
        ::GetExitCodeProcess(process, &c);
        code = (int)c;
    } else {
        ::TerminateProcess(process, 1);
    }
    ::CloseHandle(process);
    return code;
}

bool ResetDeviceService()
{
    return RunDeviceCtl(L"reset") == 0 && RunDeviceCtl(L"faults clear") == 0 && RunDeviceCtl(L"log clear") == 0;
}

HWND FindProcessWindow(DWORD pid, const wchar_t* windowClass, bool visibleOnly)
{
    FindData f{pid, windowClass, visibleOnly, nullptr};
    ::EnumWindows(&FindWindowOf, (LPARAM)&f);
    return f.found;
}

StartedProgram::StartedProgram(const wchar_t* exe, const wchar_t* args)
{
    std::wstring dir = ProgramDir();
    m_process = Launch(dir + L"\\" + exe, args ? args : L"", dir, &m_pid);
}

StartedProgram::~StartedProgram()
{
    if (!m_process)
        return;
    if (::WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        // A test that failed half-way: end it so no later test meets it.
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, kHangTimeoutMs);
    }
    ::CloseHandle(m_process);
}

HWND StartedProgram::WaitForWindow(const wchar_t* windowClass, bool visibleOnly)
{
    HWND found = nullptr;
    PumpUntil([&] {
        found = FindProcessWindow(m_pid, windowClass, visibleOnly);
        return found != nullptr || HasExited();
    }, kProgramTimeoutMs);
    return found;
}

bool StartedProgram::HasExited() const
{
    return !m_process || ::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0;
}

int StartedProgram::WaitForExit(DWORD timeoutMs)
{
    if (!m_process)
        return -2000;
    bool ended = PumpUntil([&] { return HasExited(); }, timeoutMs);
    if (!ended)
        return -1000;
    DWORD c = 0;
    ::GetExitCodeProcess(m_process, &c);
    return (int)c;
}
