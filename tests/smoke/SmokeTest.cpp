// Both programs start from the program folder, show their first window and
// end cleanly when asked to close.
#include <gtest/gtest.h>

#include <string>

#include "RecordingWnd.h"

namespace {

std::wstring ProgramDir()
{
    wchar_t dir[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TK_PROGRAM_DIR", dir, MAX_PATH);
    return n && n < MAX_PATH ? std::wstring(dir) : std::wstring(L".");
}

struct FoundWindow {
    DWORD pid;
    const wchar_t* cls;  // null: the first captioned window
    HWND hwnd;
};

BOOL CALLBACK FindTopLevel(HWND h, LPARAM lp)
{
    FoundWindow* f = reinterpret_cast<FoundWindow*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    // Skip the system's own helper windows (IME and the like).
    bool wanted = f->cls ? wcscmp(cls, f->cls) == 0 : (::GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION) != 0;
    if (pid == f->pid && wanted) {
        f->hwnd = h;
        return FALSE;
    }
    return TRUE;
}

// Starts the program, waits for its first captioned window (or its first
// window of class mainClass), closes it and returns the exit code (or -1000
// on time-out).
int RunAndClose(const wchar_t* exe, std::wstring* windowClass, const wchar_t* mainClass = nullptr)
{
    std::wstring dir = ProgramDir();
    std::wstring cmd = L"\"" + dir + L"\\" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        return -2000;
    FoundWindow f{pi.dwProcessId, mainClass, nullptr};
    PumpUntil([&] {
        ::EnumWindows(&FindTopLevel, (LPARAM)&f);
        return f.hwnd != nullptr || ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    }, 20000);
    int code = -1000;
    if (f.hwnd) {
        wchar_t cls[128] = {};
        ::GetClassNameW(f.hwnd, cls, 128);
        if (windowClass)
            *windowClass = cls;
        ::PostMessageW(f.hwnd, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0) {
        DWORD c = 0;
        ::GetExitCodeProcess(pi.hProcess, &c);
        code = (int)c;
    } else {
        ::TerminateProcess(pi.hProcess, 1);
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return f.hwnd ? code : -1000;
}

}  // namespace

TEST(Smoke, ConfiguratorStartsAndEnds)
{
    std::wstring cls;
    EXPECT_EQ(0, RunAndClose(L"TanduKovuConfig.exe", &cls));
    EXPECT_EQ(L"SINGLE_INSTANCE_APP_KOVU", cls);
}

TEST(Smoke, TrayProgramStartsAndEnds)
{
    // Its main window is a hidden dialog.
    EXPECT_EQ(0, RunAndClose(L"TanduKovuSysTray.exe", nullptr, L"#32770"));
}
