// The tray program's menu under input from the display server itself
// (xdotool, through the X server's test extension), while a window of
// another program holds the keyboard: Escape and a click elsewhere close
// the menu, as a notification-area menu's do. Real input reaches every
// program on the desktop, so this runs while no other test does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "TrayNotifyIcon.h"

namespace {

// Starts the host's xdotool with these arguments (Wine starts a program of
// the host as it starts its own, but hands back no handle to wait on: the
// callers poll for what the input does); false when it could not start.
bool Xdotool(const std::wstring& args)
{
    std::wstring cmd = L"Z:\\usr\\bin\\xdotool " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread)
        ::CloseHandle(pi.hThread);
    if (pi.hProcess)
        ::CloseHandle(pi.hProcess);
    return true;
}

LONG g_clicks = 0;  // button presses the front window received

LRESULT CALLBACK FrontProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_LBUTTONDOWN)
        ++g_clicks;
    return ::DefWindowProcW(h, m, w, l);
}

}  // namespace

TEST(TrayMenuSystemInput, EscapeAndAClickElsewhereCloseTheMenuWhileAnotherWindowHasTheKeyboard)
{
    ASSERT_TRUE(Xdotool(L"version")) << "xdotool is needed (tools/install-deps.sh installs it)";
    ASSERT_TRUE(ResetDeviceService());
    StartedProgram tray(L"TanduKovuSysTray.exe");
    HWND controller = tray.WaitForWindow(L"#32770", false);
    ASSERT_NE(nullptr, controller);

    // A window of this program, as the configurator's would be, takes the
    // keyboard by a click on it.
    WNDCLASSW wc{};
    wc.lpfnWndProc = &FrontProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TkTrayMenuFront";
    wc.hbrBackground = (HBRUSH)::GetStockObject(GRAY_BRUSH);
    ::RegisterClassW(&wc);
    HWND front = ::CreateWindowExW(0, wc.lpszClassName, L"Front", WS_POPUP | WS_VISIBLE, 300, 300, 300, 200, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, front);
    PumpPending();

    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    auto menuShown = [&] { return FindProcessWindow(tray.ProcessId(), L"#32768") != nullptr; };
    for (const wchar_t* closer : {L"key Escape", L"mousemove 100 100 click 1"}) {
        SCOPED_TRACE(closer);
        const LONG clicks = g_clicks;
        ASSERT_TRUE(Xdotool(L"mousemove 450 400 click 1"));
        ASSERT_TRUE(PumpUntil([&] { return g_clicks > clicks && ::GetForegroundWindow() == front; }));
        // The icon's right click as the shell reports it; the menu opens at
        // the pointer.
        ::SetCursorPos(width - 60, height - 20);
        ::PostMessageW(controller, WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
        ASSERT_TRUE(PumpUntil(menuShown));
        ASSERT_TRUE(Xdotool(closer));
        EXPECT_TRUE(PumpUntil([&] { return !menuShown(); }, 10000));
        if (menuShown())
            ::PostMessageW(controller, WM_CANCELMODE, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !menuShown(); }));
    }
    ::DestroyWindow(front);
    ::PostMessageW(controller, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, tray.WaitForExit(kProgramTimeoutMs));
}
