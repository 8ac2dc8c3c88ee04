// The controller dialog in this process, over the service's object model:
// the mouse's presses reaching the display, session and device changes
// connecting and disconnecting the sinks, and the menu's profile switch.
#include <windows.h>

#include <gtest/gtest.h>
#include <wtsapi32.h>

#include <cstddef>
#include <cstring>

#include <functional>
#include <vector>

#include "TrayImages.h"
#include "DeviceBroadcast.h"
#include "LangTable.h"
#include "LanguageNames.h"
#include "ProbeFolder.h"
#include "ProgramFolder.h"
#include "RecordingWnd.h"
#include "TrayMenu.h"
#include "TrayNotifyIcon.h"
#include "TrayServiceFixture.h"
#include "VeskSysTrayDlg.h"
#include "resource.h"

namespace {

// A window of this thread's with that class (only a visible one, if asked).
HWND ThreadWindow(const wchar_t* cls, bool visibleOnly = false)
{
    struct Find {
        const wchar_t* cls;
        bool visibleOnly;
        HWND found;
    } f{cls, visibleOnly, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lp);
        wchar_t name[64] = {};
        ::GetClassNameW(h, name, 64);
        if (wcscmp(name, f->cls) != 0 || (f->visibleOnly && !::IsWindowVisible(h)))
            return TRUE;
        f->found = h;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

// Time this thread has run, user and kernel, in milliseconds.
ULONGLONG ThreadBusyMs()
{
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    auto ms = [](const FILETIME& t) { return ((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

// Captures a window of this thread with that class once a modal loop (a
// menu's, a dialog's) has shown it, then closes it; the loop's own timer
// messages do the looking, so nothing waits on the clock.
struct ModalCapture {
    const wchar_t* cls;
    const wchar_t* name;
    DWORD deadline;
    bool done;
};
ModalCapture* g_modalCapture = nullptr;

void CALLBACK CaptureModalWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    ModalCapture* c = g_modalCapture;
    HWND w = c ? ThreadWindow(c->cls, true) : nullptr;
    if (!w) {
        if (c && static_cast<LONG>(::GetTickCount() - c->deadline) > 0) {
            ::KillTimer(nullptr, timer);
            ::EndMenu();  // a menu that never showed must not hold the test
        }
        return;
    }
    ::KillTimer(nullptr, timer);
    RECT r{};
    ::GetWindowRect(w, &r);
    SaveImage(CaptureScreen(r), c->name);
    c->done = true;
    if (wcscmp(c->cls, L"#32768") == 0)
        ::EndMenu();
    else
        ::PostMessageW(w, WM_COMMAND, IDOK, 0);
}

// Runs `open` (which returns when the modal loop ends) with the capture armed.
bool CaptureModal(const wchar_t* cls, const wchar_t* name, const std::function<void()>& open)
{
    ModalCapture c{cls, name, ::GetTickCount() + kHangTimeoutMs, false};
    g_modalCapture = &c;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 10, CaptureModalWindow);
    open();
    ::KillTimer(nullptr, timer);
    g_modalCapture = nullptr;
    return c.done;
}

const wchar_t kWirelessPath[] = L"\\\\?\\HID#VID_2F7C&PID_001F&MI_00#7&1&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}";
const wchar_t kWiredPath[] = L"\\\\?\\HID#VID_2F7C&PID_0015#7&2&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}";

class Controller : public TrayServiceTest {
protected:
    void SetUp() override
    {
        TrayServiceTest::SetUp();
        wchar_t dir[MAX_PATH] = {};
        DWORD n = ::GetEnvironmentVariableW(L"TK_PROGRAM_DIR", dir, MAX_PATH);
        if (n && n < MAX_PATH - 1)
            SetProgramFolder((std::wstring(dir) + L"\\").c_str());
    }
    void TearDown() override
    {
        if (::IsWindow(m_tray))
            ::SendMessageW(m_tray, WM_CLOSE, 0, 0);  // the dialog deletes itself
        SetProgramFolder(L"");
        TrayServiceTest::TearDown();
    }
    void StartTray()
    {
        auto* dlg = new CVeskSysTrayDlg;
        ASSERT_TRUE(dlg->Create());
        m_tray = dlg->GetSafeHwnd();
        m_dlg = dlg;
    }
    void DeviceChange(UINT event, const wchar_t* path)
    {
        std::vector<BYTE> b = InterfaceBroadcast(path);
        ::SendMessageW(m_tray, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(b.data()));
    }
    bool Visible(const wchar_t* cls) { return ::IsWindowVisible(ThreadWindow(cls)) != FALSE; }
    CString ActiveName()
    {
        CString name;
        CDeviceManager().GetActiveProfileName(name);
        return name;
    }

    HWND m_tray = nullptr;
    CVeskSysTrayDlg* m_dlg = nullptr;
};

}  // namespace

TEST_F(Controller, AMousePressReachesTheDisplayWithin100ms)
{
    StartTray();
    ASSERT_EQ(3, HeldSinks());
    ASSERT_EQ(S_OK, Control()->PressSensitivityButton(0x1F));
    // The event and the display's request are both posted: handling what is
    // queued shows the bar, with no timer waited for. The handling is timed in
    // this thread's own time, which a loaded machine does not stretch.
    ULONGLONG before = ThreadBusyMs();
    PumpPending();
    EXPECT_TRUE(Visible(L"csl_osdslider"));
    EXPECT_LE(ThreadBusyMs() - before, 100u);
    SaveOsdCapture(ThreadWindow(L"csl_osdslider"), L"tray_dpi_press");

    // A profile whose display flag is clear shows nothing; the next one does.
    SetProfileProperties(1, 0x2, L"");
    ASSERT_EQ(S_OK, Control()->PressProfileButton(0x1F));
    PumpPending();
    EXPECT_FALSE(Visible(L"csl_osd"));
    ASSERT_EQ(S_OK, Control()->PressProfileButton(0x1F));
    ASSERT_TRUE(PumpUntil([&] { return Visible(L"csl_osd"); }));
    SaveOsdCapture(ThreadWindow(L"csl_osd"), L"tray_profile_press");
    EXPECT_EQ(CString(L"Profile 3"), ActiveName());
}

TEST_F(Controller, ALockDisconnectsTheSinksAndAnUnlockConnectsThemAgain)
{
    StartTray();
    ASSERT_EQ(3, HeldSinks());
    ::SendMessageW(m_tray, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1);
    EXPECT_EQ(0, HeldSinks());
    ::SendMessageW(m_tray, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1);
    EXPECT_EQ(3, HeldSinks());
    ::SendMessageW(m_tray, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(m_tray));
    EXPECT_EQ(0, HeldSinks());
}

TEST_F(Controller, DevicesComingAndGoingConnectOnlyTheProductsThatAreThere)
{
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    StartTray();
    ASSERT_EQ(6, HeldSinks());
    // The wireless mouse goes: the wired one keeps its sinks.
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    DeviceChange(DBT_DEVICEREMOVECOMPLETE, kWirelessPath);
    DeviceChange(DBT_DEVNODES_CHANGED, L"");
    EXPECT_EQ(3, HeldSinks());
    ASSERT_EQ(S_OK, Control()->Detach(0x15));
    DeviceChange(DBT_DEVICEREMOVECOMPLETE, kWiredPath);
    EXPECT_EQ(0, HeldSinks());

    // Another vendor's mouse changes nothing; ours comes back connected.
    ASSERT_EQ(S_OK, Control()->Attach(0x1F));
    DeviceChange(DBT_DEVICEARRIVAL, L"\\\\?\\HID#VID_046D&PID_001F#1#{378de44c-56ef-11d1-bc8c-00a0c91405dd}");
    EXPECT_EQ(0, HeldSinks());
    DeviceChange(DBT_DEVICEARRIVAL, kWirelessPath);
    EXPECT_EQ(3, HeldSinks());
    ASSERT_EQ(S_OK, Control()->PressSensitivityButton(0x1F));
    ASSERT_TRUE(PumpUntil([&] { return Visible(L"csl_osdslider"); }));
}

TEST_F(Controller, AProfileChosenFromTheMenuIsActivatedAndNamedByItsOwnFlag)
{
    StartTray();
    SetProfileProperties(0, 0x4, L"");  // the active profile shows names
    SetProfileProperties(1, 0x0, L"");  // the next one does not
    // The menu reads the profiles when it opens; Escape closes it again.
    ::PostMessageW(m_tray, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(m_tray, WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP);
    ::SendMessageW(m_tray, WM_COMMAND, ID_TRAY_PROFILE_FIRST + 1, 0);
    EXPECT_EQ(CString(L"Profile 2"), ActiveName());
    PumpPending();
    EXPECT_FALSE(Visible(L"csl_osd"));
    ::SendMessageW(m_tray, WM_COMMAND, ID_TRAY_PROFILE_FIRST + 2, 0);
    EXPECT_EQ(CString(L"Profile 3"), ActiveName());
    ASSERT_TRUE(PumpUntil([&] { return Visible(L"csl_osd"); }));
    // There is no 21st profile, nor a 6th on this mouse.
    ::SendMessageW(m_tray, WM_COMMAND, ID_TRAY_PROFILE_FIRST + 5, 0);
    EXPECT_EQ(CString(L"Profile 3"), ActiveName());
}

TEST_F(Controller, TheMenuSpeaksTheChosenLanguageAndTheAboutBoxOpens)
{
    StartTray();
    auto openMenu = [&] { ::SendMessageW(m_tray, WM_TRAY_NOTIFY, kTrayIconId, WM_RBUTTONUP); };
    ASSERT_TRUE(SelectLanguage(LanguageIdFromName(L"English")));
    EXPECT_TRUE(CaptureModal(L"#32768", L"tray_menu_en", openMenu));
    ASSERT_TRUE(SelectLanguage(LanguageIdFromName(L"German")));
    EXPECT_TRUE(CaptureModal(L"#32768", L"tray_menu_de", openMenu));
    EXPECT_TRUE(CaptureModal(L"#32770", L"tray_about", [&] { ::SendMessageW(m_tray, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }));
    SelectLanguage(LanguageIdFromName(L"English"));
}

TEST_F(Controller, ALaunchButtonOpensTheProgramItNames)
{
    StartTray();
    CProbeFolder probe(L"game.exe");
    ASSERT_TRUE(probe.Ready());
    ASSERT_EQ(S_OK, Control()->PressLaunchButton(0x1F, probe.Program().c_str()));
    EXPECT_TRUE(PumpUntil([&] { return probe.Launched(); }));
}
