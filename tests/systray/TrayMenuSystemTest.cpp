// The tray program's menu under input from the display server itself
// (xdotool, through the X server's test extension), with its hooks that
// watch the keyboard and the mouse in place: Escape and a click elsewhere
// close the menu while a window of another program holds the keyboard, as
// a notification-area menu's do, and a click on a profile chooses it. Real
// input reaches every program on the desktop, so this runs while no other
// test does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ComPtr.h"
#include "DeviceService.h"
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

// The simulated mouse's active profile and how many profiles it has.
bool ActiveProfile(std::wstring& name, LONG& count)
{
    ComPtr<IDeviceCollection> collection;
    ComPtr<IDevice> device;
    ComPtr<IProfileManager> profiles;
    ComPtr<IProfile> active;
    LPWSTR text = nullptr;
    bool ok = SUCCEEDED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                           __uuidof(IDeviceCollection), collection.OutVoid())) &&
              SUCCEEDED(collection->Item(0, device.Out())) &&
              SUCCEEDED(device->GetFeature(__uuidof(IProfileManager), profiles.OutUnknown())) &&
              SUCCEEDED(profiles->GetActive(active.Out())) && SUCCEEDED(active->GetName(&text)) && text;
    count = 0;
    for (ComPtr<IProfile> p; ok && SUCCEEDED(profiles->Item(count, p.Out()));)
        ++count;
    name = ok ? text : L"";
    ::CoTaskMemFree(text);
    return ok;
}

// The icon's right click as the shell reports it: the menu opens at the
// pointer, near the corner. The menu's window, or null.
HWND OpenTrayMenu(const StartedProgram& tray, HWND controller)
{
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 60, ::GetSystemMetrics(SM_CYSCREEN) - 20);
    ::PostMessageW(controller, WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
    HWND menu = nullptr;
    PumpUntil([&] { return (menu = FindProcessWindow(tray.ProcessId(), L"#32768")) != nullptr; });
    return menu;
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

    auto menuShown = [&] { return FindProcessWindow(tray.ProcessId(), L"#32768") != nullptr; };
    for (const wchar_t* closer : {L"key Escape", L"mousemove 100 100 click 1"}) {
        SCOPED_TRACE(closer);
        const LONG clicks = g_clicks;
        ASSERT_TRUE(Xdotool(L"mousemove 450 400 click 1"));
        ASSERT_TRUE(PumpUntil([&] { return g_clicks > clicks && ::GetForegroundWindow() == front; }));
        ASSERT_NE(nullptr, OpenTrayMenu(tray, controller));
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

// A real click on a profile passes the mouse hook that ends the menu on a
// click outside it, and chooses that profile. The hook judges its point in
// physical screen coordinates; Wine 8 never scales a program (its
// WindowFromPhysicalPoint is WindowFromPoint, at 96 dpi), so a point judged
// in logical ones would pass here too: this guards the click's way through
// the hook, not the scaling.
TEST(TrayMenuSystemInput, AClickOnAProfileInTheMenuMakesItTheMousesActiveProfile)
{
    ASSERT_TRUE(Xdotool(L"version")) << "xdotool is needed (tools/install-deps.sh installs it)";
    ASSERT_TRUE(ResetDeviceService());
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    std::wstring before;
    LONG count = 0;
    ASSERT_TRUE(ActiveProfile(before, count));
    ASSERT_GE(count, 2);
    StartedProgram tray(L"TanduKovuSysTray.exe");
    HWND controller = tray.WaitForWindow(L"#32770", false);
    ASSERT_NE(nullptr, controller);

    HWND menu = OpenTrayMenu(tray, controller);
    ASSERT_NE(nullptr, menu);
    // The menu is the configurator's item and a separator, the profiles, a
    // separator and the close item: its middle is the middle of the
    // profiles. A little below it lies profile count / 2 (counted from 0),
    // whether the middle falls inside an item or between two.
    RECT r{};
    ASSERT_TRUE(::GetWindowRect(menu, &r));
    const LONG x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2 + (r.bottom - r.top) / (4 * (count + 3));
    ASSERT_TRUE(Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" click 1"));
    std::wstring now;
    EXPECT_TRUE(PumpUntil([&] { return ActiveProfile(now, count) && now != before; }, 10000));
    EXPECT_EQ(L"Profile " + std::to_wstring(count / 2 + 1), now);
    ASSERT_TRUE(PumpUntil([&] { return !FindProcessWindow(tray.ProcessId(), L"#32768"); }));
    ::PostMessageW(controller, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, tray.WaitForExit(kProgramTimeoutMs));
    ::CoUninitialize();
}
