// Running the built programs from a test: the program folder, the device
// service's control tool, and a started program with its main window.
#pragma once
#include <windows.h>

#include <string>

// The build's program folder (TK_PROGRAM_DIR, else the working directory),
// without a trailing backslash.
std::wstring ProgramDir();

// Runs "<program folder>\service\TkDeviceCtl.exe <args>" and returns its
// exit code (-1 when it could not run or did not end within the hang time).
int RunDeviceCtl(const std::wstring& args);
// The state every test that uses the device service starts from: the
// default mouse, no faults, an empty call log. False when the tool failed.
bool ResetDeviceService();

// How long a program may take to show its window or to end: a start reads the whole
// device through the service and loads every page, which takes seconds and,
// on a loaded machine, several times that. Waits end as soon as the window
// shows.
constexpr DWORD kProgramTimeoutMs = 90000;

// A program started from the program folder; ended (killed when it must
// be) when the object goes.
class StartedProgram {
public:
    StartedProgram(const wchar_t* exe, const wchar_t* args = nullptr);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD ProcessId() const { return m_pid; }
    // Pumps until the process has a top-level window of that class (null:
    // any captioned one), visible unless visibleOnly is false; null when
    // the process ended first or kProgramTimeoutMs passed.
    HWND WaitForWindow(const wchar_t* windowClass, bool visibleOnly = true);
    // Waits for the end; the exit code, or -1000 on time-out.
    int WaitForExit(DWORD timeoutMs);
    bool HasExited() const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// A top-level window of that process and class (see WaitForWindow).
HWND FindProcessWindow(DWORD pid, const wchar_t* windowClass, bool visibleOnly = true);
