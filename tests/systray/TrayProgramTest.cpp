// The tray program itself, started from the program folder against the
// prefix's device service and driven from outside as the system and the
// mouse would: its window's messages, the simulated mouse's buttons.
#include <windows.h>

#include <gtest/gtest.h>
#include <wtsapi32.h>

#include <cstddef>
#include <cstring>

#include <sstream>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "DeviceService.h"
#include "RecordingWnd.h"
#include "TrayImages.h"
#include "TrayMenu.h"
#include "TrayNotifyIcon.h"

namespace {

std::wstring ProgramDir()
{
    wchar_t dir[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TK_PROGRAM_DIR", dir, MAX_PATH);
    return n && n < MAX_PATH ? std::wstring(dir) : std::wstring(L".");
}

// A top-level window of the process with that class (and title, if given).
HWND ProcessWindow(DWORD pid, const wchar_t* cls, bool visibleOnly = false)
{
    struct Find {
        DWORD pid;
        const wchar_t* cls;
        bool visibleOnly;
        HWND found;
    } f{pid, cls, visibleOnly, nullptr};
    ::EnumWindows([](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(h, &pid);
        wchar_t name[64] = {};
        ::GetClassNameW(h, name, 64);
        if (pid != f->pid || wcscmp(name, f->cls) != 0 || (f->visibleOnly && !::IsWindowVisible(h)))
            return TRUE;
        f->found = h;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Every call the tray makes crosses processes; on a loaded machine its
// closing can take long, and a tray ended by force mid-call leaves the
// service with a dead client, so it is given ample time.
const DWORD kTrayStopMs = 90000;

class TrayProcess {
public:
    TrayProcess()
    {
        // Should this test end early, the tray it started ends with it.
        m_job = ::CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (m_job)
            ::SetInformationJobObject(m_job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    ~TrayProcess()
    {
        Stop();
        if (m_job)
            ::CloseHandle(m_job);
    }
    bool Start()
    {
        std::wstring dir = ProgramDir();
        std::wstring cmd = L"\"" + dir + L"\\TanduKovuSysTray.exe\"";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir.c_str(),
                              &si, &m_pi))
            return false;
        if (m_job)
            ::AssignProcessToJobObject(m_job, m_pi.hProcess);
        ::ResumeThread(m_pi.hThread);
        return PumpUntil([&] {
            m_window = ProcessWindow(m_pi.dwProcessId, L"#32770");
            return m_window || Ended();
        }) && m_window;
    }
    bool Ended() const { return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }
    // Closes the tray as its window's close does; its exit code, or -1.
    int Stop()
    {
        if (!m_pi.hProcess)
            return -1;
        if (m_window)
            ::PostMessageW(m_window, WM_CLOSE, 0, 0);
        DWORD code = static_cast<DWORD>(-1);
        if (::WaitForSingleObject(m_pi.hProcess, kTrayStopMs) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_pi.hProcess, &code);
        else
            ::TerminateProcess(m_pi.hProcess, 1);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
        m_pi = PROCESS_INFORMATION{};
        m_window = nullptr;
        return static_cast<int>(code);
    }
    DWORD Pid() const { return m_pi.dwProcessId; }
    HWND Window() const { return m_window; }
    HANDLE Process() const { return m_pi.hProcess; }

private:
    PROCESS_INFORMATION m_pi{};
    HWND m_window = nullptr;
    HANDLE m_job = nullptr;
};

class TrayProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        ComPtr<IDeviceCollection> collection;
        ASSERT_EQ(S_OK, ::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                           __uuidof(IDeviceCollection), collection.OutVoid()));
        m_control = collection.As<IServiceControl>();
        ASSERT_TRUE(m_control);
        ASSERT_EQ(S_OK, m_control->Reset());
        m_control->ClearFaults();
        m_control->ClearCallLog();
    }
    void TearDown() override
    {
        m_control.Reset();
        ::CoUninitialize();
    }
    // Sinks the service holds for clients: advises minus unadvises.
    int HeldSinks()
    {
        LPWSTR text = nullptr;
        if (FAILED(m_control->GetCallLog(&text)) || !text)
            return -1;
        std::wistringstream lines(text);
        ::CoTaskMemFree(text);
        std::wstring line;
        int n = 0;
        while (std::getline(lines, line)) {
            if (line.find(L" -> ") != std::wstring::npos)
                continue;
            if (line.compare(0, 24, L"IConnectionPoint.Advise ") == 0 || line == L"IConnectionPoint.Advise\r")
                ++n;
            else if (line.compare(0, 25, L"IConnectionPoint.Unadvise") == 0)
                --n;
        }
        return n;
    }
    bool SinksBecome(int n)
    {
        return PumpUntil([&] { return HeldSinks() == n; });
    }
    std::wstring ActiveProfile()
    {
        std::wstring name;
        ComPtr<IDeviceCollection> collection = m_control.As<IDeviceCollection>();
        ComPtr<IDevice> device;
        ComPtr<IProfileManager> profiles;
        ComPtr<IProfile> active;
        LPWSTR text = nullptr;
        if (collection && SUCCEEDED(collection->Item(0, device.Out())) &&
            SUCCEEDED(device->GetFeature(__uuidof(IProfileManager), profiles.OutUnknown())) &&
            SUCCEEDED(profiles->GetActive(active.Out())) && SUCCEEDED(active->GetName(&text)) && text)
            name = text;
        ::CoTaskMemFree(text);
        return name;
    }
    void SaveScreen(HWND window, const wchar_t* name)
    {
        RECT r{};
        ASSERT_TRUE(::GetWindowRect(window, &r));
        SaveImage(CaptureScreen(r), name);
    }
    // What the virtual desktop's taskbar shows at the bottom of the screen.
    void SaveTaskbar(const wchar_t* name)
    {
        RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        RECT bar{screen.right - 400, screen.bottom - 48, screen.right, screen.bottom};
        SaveImage(CaptureScreen(bar), name);
    }

    ComPtr<IServiceControl> m_control;
};

}  // namespace

TEST_F(TrayProgram, OneInstanceRunsAndItsIconSitsInTheNotificationArea)
{
    TrayProcess first, second;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(SinksBecome(3));
    EXPECT_FALSE(second.Start());  // it ends without a window
    ASSERT_TRUE(second.Ended());
    EXPECT_FALSE(first.Ended());
    SaveTaskbar(L"tray_taskbar");
    EXPECT_EQ(0, first.Stop());
    EXPECT_TRUE(SinksBecome(0));
}

TEST_F(TrayProgram, TheMousesButtonsShowTheDisplayAndTheMenuSwitchesProfiles)
{
    TrayProcess tray;
    ASSERT_TRUE(tray.Start());
    ASSERT_TRUE(SinksBecome(3));
    ASSERT_EQ(S_OK, m_control->PressSensitivityButton(0x1F));
    // (Layered windows of another process cannot be captured here; the
    // in-process tests capture what they show.)
    ASSERT_TRUE(PumpUntil([&] { return ProcessWindow(tray.Pid(), L"csl_osdslider", true) != nullptr; }));
    ASSERT_EQ(S_OK, m_control->PressProfileButton(0x1F));
    ASSERT_TRUE(PumpUntil([&] { return ProcessWindow(tray.Pid(), L"csl_osd", true) != nullptr; }));

    // The menu opens where the click was, lists the profiles, and closes;
    // the displays, which stay on top, have gone first, so the capture
    // shows the menu.
    ASSERT_TRUE(PumpUntil([&] {
        return !ProcessWindow(tray.Pid(), L"csl_osd", true) && !ProcessWindow(tray.Pid(), L"csl_osdslider", true);
    }));
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 60, ::GetSystemMetrics(SM_CYSCREEN) - 20);
    ::PostMessageW(tray.Window(), WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = ProcessWindow(tray.Pid(), L"#32768", true)) != nullptr; }));
    SaveScreen(menu, L"tray_menu");
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !ProcessWindow(tray.Pid(), L"#32768", true); }));
    ::PostMessageW(tray.Window(), WM_COMMAND, ID_TRAY_PROFILE_FIRST + 3, 0);
    EXPECT_TRUE(PumpUntil([&] { return ActiveProfile() == L"Profile 4"; }));
    // Events still on their way while the tray closes: it ends all the same.
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(S_OK, m_control->PressProfileButton(0x1F));
    EXPECT_EQ(0, tray.Stop());
}

TEST_F(TrayProgram, SessionChangesAndTheMouseGoingAndComingDisconnectAndConnect)
{
    TrayProcess tray;
    ASSERT_TRUE(tray.Start());
    ASSERT_TRUE(SinksBecome(3));
    ::PostMessageW(tray.Window(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    ASSERT_TRUE(SinksBecome(0));
    ::PostMessageW(tray.Window(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    ASSERT_TRUE(SinksBecome(3));

    // The simulated mouse alone tells the tray, as the system would.
    ASSERT_EQ(S_OK, m_control->Detach(0x1F));
    ASSERT_TRUE(SinksBecome(0));
    ASSERT_EQ(S_OK, m_control->Attach(0x1F));
    ASSERT_TRUE(SinksBecome(3));
    EXPECT_EQ(0, tray.Stop());
}
