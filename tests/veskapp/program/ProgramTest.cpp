// The configurator as a program against the simulated mouse: one instance,
// no mouse at start, the mouse going away, the battery segments, the dock's
// splash and its Apply, what reaches the mouse on lighting previews and
// writes (a new profile leaving what the whole mouse shares), failed and
// impossible writes told, the name popup's Enter, and what a later start
// reads back. Each test starts from the service's default state
// and a scratch InstallDir whose stand-ins record the tray program's starts.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "ComPtr.h"
#include "DeviceService.h"
#include "ItemIds.h"
#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "RemovalNotice.h"
#include "ScratchInstallDir.h"
#include "SkinItemWindow.h"
#include "WidgetMessages.h"

namespace {

const wchar_t kMainClass[] = L"SINGLE_INSTANCE_APP_KOVU";
const wchar_t kDialogClass[] = L"#32770";  // the popups' windows
// The status is read at most every five seconds, through the service.
constexpr DWORD kStatusTimeoutMs = 60000;

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installDir.Ready());
        ASSERT_TRUE(ResetDeviceService());
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    }
    void TearDown() override { ::CoUninitialize(); }

    // The service's call log, a line per call (connected anew each time:
    // a test may restart the service).
    static ComPtr<IServiceControl> Control()
    {
        ComPtr<IDeviceCollection> collection;
        ::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX, __uuidof(IDeviceCollection),
                           collection.OutVoid());
        return collection ? collection.As<IServiceControl>() : ComPtr<IServiceControl>();
    }
    // The service starts again from its state file. The running server
    // starts its successor: one started from here would keep the test
    // runner's output pipe open after the test.
    static bool RestartService()
    {
        ComPtr<IServiceControl> control = Control();
        ULONG pid = 0, successor = 0;
        if (!control || FAILED(control->GetServerProcessId(&pid)))
            return false;
        HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
        bool ok = process && SUCCEEDED(control->Restart(&successor));
        control.Reset();
        ok = ok && ::WaitForSingleObject(process, kHangTimeoutMs) == WAIT_OBJECT_0;
        if (process)
            ::CloseHandle(process);
        // The successor registers once its predecessor has gone: until it
        // answers, a client's start would race it.
        return ok && PumpUntil([&] {
                   ComPtr<IServiceControl> next = Control();
                   ULONG now = 0;
                   return next && SUCCEEDED(next->GetServerProcessId(&now)) && now == successor;
               });
    }
    static std::vector<std::wstring> CallLog()
    {
        std::vector<std::wstring> lines;
        ComPtr<IServiceControl> control = Control();
        LPWSTR text = nullptr;
        if (!control || FAILED(control->GetCallLog(&text)) || !text)
            return lines;
        std::wistringstream in(text);
        ::CoTaskMemFree(text);
        for (std::wstring line; std::getline(in, line);) {
            if (!line.empty() && line.back() == L'\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    static int Count(const std::vector<std::wstring>& log, const std::wstring& prefix)
    {
        int n = 0;
        for (const auto& line : log)
            n += line.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    // What a write set on the mouse: the logged setters, in order.
    static std::vector<std::wstring> Setters(const std::vector<std::wstring>& log)
    {
        std::vector<std::wstring> out;
        for (const auto& line : log)
            if (line.find(L".Set") < line.find(L' ') || line.compare(0, 19, L"ILightingZone.TurnO") == 0)
                out.push_back(line);
        return out;
    }
    // Waits until the log holds `count` lines starting with prefix.
    static bool LogReaches(const std::wstring& prefix, int count)
    {
        return PumpUntil([&] { return Count(CallLog(), prefix) >= count; }, kProgramTimeoutMs);
    }

    // The window the skin file places the item in: buttons have no control
    // id, so they are found where the page puts them.
    static HWND ItemWindow(HWND main, const wchar_t* file, const wchar_t* name)
    {
        return SkinItemWindow(main, file, name);
    }
    static void Click(HWND main, HWND button)
    {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button, SMTO_NORMAL,
                              kHangTimeoutMs, &result);
    }
    // Apply, and the write run to its end (its last step).
    static std::vector<std::wstring> ApplyAndWait(HWND main)
    {
        const int before = Count(CallLog(), L"IProfileManager.SetActive");
        Click(main, ItemWindow(main, L"MainPage.xml", L"BUTTON_APPLY"));
        if (!LogReaches(L"IProfileManager.SetActive", before + 1))
            return {};
        return CallLog();
    }

    // The modal popup the window shows (the window is disabled meanwhile);
    // null when none comes within the program time.
    static HWND WaitForPopup(HWND main)
    {
        struct Find {
            HWND owner;
            HWND found;
        } f{main, nullptr};
        PumpUntil(
            [&] {
                f.found = nullptr;
                if (!::IsWindowEnabled(main))
                    ::EnumWindows(
                        [](HWND h, LPARAM p) -> BOOL {
                            auto* f = reinterpret_cast<Find*>(p);
                            if (::GetWindow(h, GW_OWNER) != f->owner || !::IsWindowVisible(h) ||
                                !::IsWindowEnabled(h))
                                return TRUE;
                            f->found = h;
                            return FALSE;
                        },
                        (LPARAM)&f);
                return f.found != nullptr;
            },
            kProgramTimeoutMs);
        return f.found;
    }
    // New on the profiles page: the name popup, with `name` typed into its
    // edit (which has the focus); null when the popup did not come.
    static HWND NewProfilePopup(HWND main, const wchar_t* name)
    {
        Click(main, ItemWindow(main, L"MainPage.xml", L"BUTTON_MANAGEPROFILES"));
        HWND button = ItemWindow(main, L"ManageProfiles.xml", L"BUTTON_NEWPROFILE");
        if (!button)
            return nullptr;
        // Posted: the popup runs modally inside the handler.
        ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)button);
        HWND popup = WaitForPopup(main);
        HWND edit = nullptr;
        if (!popup || !PumpUntil([&] {
                GUITHREADINFO info{sizeof(info)};
                edit = ::GetGUIThreadInfo(::GetWindowThreadProcessId(popup, nullptr), &info) ? info.hwndFocus
                                                                                              : nullptr;
                return edit && ::IsChild(popup, edit);
            }))
            return nullptr;
        for (const wchar_t* c = name; *c; ++c)
            ::PostMessageW(edit, WM_CHAR, *c, 1);
        return popup;
    }
    static ComPtr<IDevice> FirstDevice()
    {
        ComPtr<IDeviceCollection> collection;
        ComPtr<IDevice> device;
        if (SUCCEEDED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                         __uuidof(IDeviceCollection), collection.OutVoid())))
            collection->Item(0, device.Out());
        return device;
    }
    // The mouse's profile names, as the service holds them.
    static std::vector<std::wstring> ProfileNames()
    {
        std::vector<std::wstring> names;
        ComPtr<IDevice> device = FirstDevice();
        ComPtr<IProfileManager> profiles;
        if (!device || FAILED(device->GetFeature(__uuidof(IProfileManager), profiles.OutUnknown())))
            return names;
        ComPtr<IProfile> profile;
        for (LONG i = 0; SUCCEEDED(profiles->Item(i, profile.Out())) && profile; ++i) {
            LPWSTR text = nullptr;
            if (SUCCEEDED(profile->GetName(&text)) && text)
                names.push_back(text);
            ::CoTaskMemFree(text);
        }
        return names;
    }
    // What every profile shares, as the service holds it: report rate,
    // acceleration (on, value) and the three power values.
    static std::wstring MouseWideValues()
    {
        ComPtr<IDevice> device = FirstDevice();
        ComPtr<IReportRate> rate;
        ComPtr<IDeviceSwitches> acceleration;
        ComPtr<IPowerSettings> power;
        if (!device || FAILED(device->GetFeature(__uuidof(IReportRate), rate.OutUnknown())) ||
            FAILED(device->GetFeature(__uuidof(IDeviceSwitches), acceleration.OutUnknown())) ||
            FAILED(device->GetFeature(__uuidof(IPowerSettings), power.OutUnknown())))
            return L"unread";
        ULONG interval = 0;
        LONG on = 0, value = 0, warning = 0, dimmed = 0, idle = 0;
        rate->Get(&interval);
        acceleration->IsEnabled(&on);
        acceleration->GetValue(&value);
        power->GetWarningLevel(&warning);
        power->GetReducedBrightness(&dimmed);
        power->GetIdleSeconds(&idle);
        std::wostringstream out;
        out << L"rate " << interval << L" ms, acceleration " << on << L"/" << value << L", warning " << warning
            << L"%, dimmed " << dimmed << L", idle " << idle << L" s";
        return out.str();
    }

    // The segments shown, as a bit per segment.
    static int Segments(HWND main)
    {
        int bits = 0;
        for (int i = 0; i < 4; ++i) {
            HWND segment = ::GetDlgItem(main, BATTERY_LEVEL0 + i);
            if (segment && (::GetWindowLongPtrW(segment, GWL_STYLE) & WS_VISIBLE))
                bits |= 1 << i;
        }
        return bits;
    }

    ScratchInstallDir installDir;
};

// A removal notice sent across processes (the system copies it along).
void SendRemoval(HWND main, const std::wstring& path)
{
    std::vector<BYTE> notice = RemovalNotice(path.c_str());
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, (LPARAM)notice.data(), SMTO_NORMAL,
                          kHangTimeoutMs, &result);
}


}  // namespace

TEST_F(Program, ASecondStartLeavesTheFirstAndEndsWithoutStartingTheTray)
{
    StartedProgram first(L"TanduKovuConfig.exe");
    HWND main = first.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(PumpUntil([&] { return installDir.StartCount(L"TanduKovuSysTray.exe") == 1; }));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));

    StartedProgram second(L"TanduKovuConfig.exe");
    EXPECT_EQ(0, second.WaitForExit(kProgramTimeoutMs));
    EXPECT_EQ(1, installDir.StartCount(L"TanduKovuSysTray.exe"));
    EXPECT_TRUE(::IsWindow(main));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, first.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, WithoutAMouseTheWarningShowsAndTheProgramEnds)
{
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND popup = program.WaitForWindow(kDialogClass);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(1, installDir.StartCount(L"TanduKovuSysTray.exe"));  // the tray starts all the same
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, TheRunningMouseGoingAwayShowsTheWarningOnceAndEnds)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    // Another model's interface going away changes nothing.
    SendRemoval(main, MouseInterfacePath(L"0015"));
    // The simulated mouse alone tells the program, as the system would.
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    HWND popup = program.WaitForWindow(kDialogClass);
    ASSERT_NE(nullptr, popup);
    SendRemoval(main, MouseInterfacePath(L"001F"));  // a second notice while the warning shows
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, BatterySegmentsFollowTheLevel)
{
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 60 0"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x7; }, kStatusTimeoutMs)) << Segments(main);
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 0"));
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x1; }, kStatusTimeoutMs)) << Segments(main);
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 2"));  // on the cable: none
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0; }, kStatusTimeoutMs)) << Segments(main);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, BatterySegmentsMoveWhileCharging)
{
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 1"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    // The count climbs tick by tick to all four, then starts over.
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0xF; }, kStatusTimeoutMs)) << Segments(main);
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x1; }, kStatusTimeoutMs)) << Segments(main);
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, TheDocksSplashClosesOnceTheMouseAnswersThenTheMainWindowOpens)
{
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    ASSERT_EQ(0, RunDeviceCtl(L"attach dock"));
    ASSERT_EQ(0, RunDeviceCtl(L"unit dock 1 20 3000"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND splash = program.WaitForWindow(kDialogClass);
    ASSERT_NE(nullptr, splash);
    EXPECT_EQ(nullptr, FindProcessWindow(program.ProcessId(), kMainClass));
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    EXPECT_FALSE(::IsWindow(splash));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, ClosingTheDocksSplashEarlyEndsTheProgramWithoutItsWindow)
{
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    ASSERT_EQ(0, RunDeviceCtl(L"attach dock"));
    ASSERT_EQ(0, RunDeviceCtl(L"unit dock 1 20 600000"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND splash = program.WaitForWindow(kDialogClass);
    ASSERT_NE(nullptr, splash);
    ::PostMessageW(splash, WM_COMMAND, IDCANCEL, 0);  // Escape
    bool mainSeen = false;
    EXPECT_TRUE(PumpUntil([&] {
        mainSeen = mainSeen || FindProcessWindow(program.ProcessId(), kMainClass, false) != nullptr;
        return program.HasExited();
    }));
    EXPECT_FALSE(mainSeen);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

// Making a profile sets that profile's own values: what the whole mouse
// shares stays as it was through the Apply that follows.
TEST_F(Program, ANewProfileAndApplyKeepTheMouseWideValues)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    const std::wstring before = MouseWideValues();
    ASSERT_NE(L"unread", before);
    HWND popup = NewProfilePopup(main, L"Made");
    ASSERT_NE(nullptr, popup);
    ::PostMessageW(popup, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                   (LPARAM)ItemWindow(popup, L"ProfileNamePopup.xml", L"BUTTON_POPUP_OK"));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(popup); }));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    ASSERT_FALSE(ApplyAndWait(main).empty());
    EXPECT_EQ(6u, ProfileNames().size());
    EXPECT_EQ(before, MouseWideValues());
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

// Enter in the name popup creates the profile, as its Create button does.
TEST_F(Program, EnterInTheNewProfilePopupMakesTheProfile)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    HWND popup = NewProfilePopup(main, L"Typed");
    ASSERT_NE(nullptr, popup);
    GUITHREADINFO info{sizeof(info)};
    ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(popup, nullptr), &info));
    ::PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(popup); }));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    ASSERT_FALSE(ApplyAndWait(main).empty());
    std::vector<std::wstring> names = ProfileNames();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), L"Typed")) << names.size();
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

// The mouse taken away and its notice lost: Apply itself finds the mouse
// gone, says that no mouse answers, and the program ends.
TEST_F(Program, AnApplyWithTheMouseGoneIsToldAndTheProgramEnds)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless --no-notice"));
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_SLIDER_CHANGING, 37, SLIDER_DPI_MULTI_STAGE1, SMTO_NORMAL, kHangTimeoutMs, &result);
    Click(main, ItemWindow(main, L"MainPage.xml", L"BUTTON_APPLY"));
    HWND popup = WaitForPopup(main);
    ASSERT_NE(nullptr, popup);
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

// The dock's write starts from a worker's request, on the window's thread,
// through the real service.
TEST_F(Program, TheDocksApplyWritesAnEditThroughTheService)
{
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    ASSERT_EQ(0, RunDeviceCtl(L"attach dock"));
    ASSERT_EQ(0, RunDeviceCtl(L"unit dock 1 20 0"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    HWND apply = ItemWindow(main, L"MainPage.xml", L"BUTTON_APPLY");
    ASSERT_NE(nullptr, apply);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_SLIDER_CHANGING, 37, SLIDER_DPI_MULTI_STAGE1, SMTO_NORMAL, kHangTimeoutMs, &result);
    ASSERT_TRUE(::IsWindowEnabled(apply));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    std::vector<std::wstring> log = ApplyAndWait(main);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(1, Count(log, L"IDpiSettings.SetDpi 3700 3700"));
    EXPECT_EQ(5, Count(log, L"IDpiSettings.SetStages"));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowEnabled(apply); }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, LightingPreviewsReachTheMouseAsEachModelTakesThem)
{
    for (const wchar_t* model : {L"wireless", L"wired"}) {
        SCOPED_TRACE(model);
        const bool wired = std::wstring(model) == L"wired";
        if (wired) {
            ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
            ASSERT_EQ(0, RunDeviceCtl(L"attach wired"));
        }
        StartedProgram program(L"TanduKovuConfig.exe");
        HWND main = program.WaitForWindow(kMainClass);
        ASSERT_NE(nullptr, main);
        HWND profiles = ItemWindow(main, L"CurrentProfile.xml", L"LIST_GLOBALPROFILELIST");
        ASSERT_NE(nullptr, profiles);
        ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
        // Choosing another profile previews its lights at once.
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(main, WM_DROPDOWN_SELECTED, 2, (LPARAM)profiles, SMTO_NORMAL, kHangTimeoutMs, &result);
        // Wireless: the colour, level and effect of the wheel; wired: the
        // wheel's and the logo's on flags, no colour.
        ASSERT_TRUE(LogReaches(wired ? L"ILightingZone.TurnO" : L"IZoneEffect.Set zone 1", wired ? 2 : 1));
        std::vector<std::wstring> log = CallLog();
        EXPECT_EQ(wired ? 0 : 1, Count(log, L"IZoneColorValue.Set zone 1 ")) << Setters(log).size();
        EXPECT_EQ(wired ? 0 : 1, Count(log, L"IZoneBrightness.Set zone 1 "));
        EXPECT_EQ(wired ? 1 : 0, Count(log, L"ILightingZone.TurnOn zone 1") + Count(log, L"ILightingZone.TurnOff zone 1"));
        EXPECT_EQ(wired ? 1 : 0, Count(log, L"ILightingZone.TurnOn zone 4") + Count(log, L"ILightingZone.TurnOff zone 4"));
        // An edit on the lighting page reaches the mouse at once too.
        Click(main, ItemWindow(main, L"MainPage.xml", L"BUTTON_LIGHTINGMAINTENANCE"));
        ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
        Click(main, wired ? ItemWindow(main, L"LightingMaintenance_Kovu.xml", L"GLOW_LEDOFF")
                          : ItemWindow(main, L"LightingMaintenance_KovuZent.xml", L"SPECTRUM_CYCLING_ON"));
        EXPECT_TRUE(LogReaches(wired ? L"ILightingZone.TurnOff zone 4" : L"IZoneEffect.Set zone 1 5 ", 1));
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
    }
}

TEST_F(Program, TheOtherCableMouseRunsWithItsOwnLookAndAnEditReachesIt)
{
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    ASSERT_EQ(0, RunDeviceCtl(L"attach quarel"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    HWND icon = ::GetDlgItem(main, BITMAP_ICON_KOVUQUAREL);
    EXPECT_TRUE(icon && ::IsWindowVisible(icon));
    // The logo's light goes off at once, with the wheel's colour besides
    // its switch (the wired mouse takes the switches only).
    Click(main, ItemWindow(main, L"MainPage.xml", L"BUTTON_LIGHTINGMAINTENANCE"));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    Click(main, ItemWindow(main, L"LightingMaintenance_Kovu.xml", L"GLOW_LEDOFF"));
    ASSERT_TRUE(LogReaches(L"ILightingZone.TurnOff zone 4", 1));
    EXPECT_TRUE(PumpUntil([&] { return Count(CallLog(), L"IZoneEffect.Set zone 1 ") == 1; }));
    EXPECT_EQ(1, Count(CallLog(), L"IZoneColorValue.Set zone 1 "));
    // Apply writes every profile, the active one's logo off, and no power
    // settings: the model has none.
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    std::vector<std::wstring> log = ApplyAndWait(main);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(1, Count(log, L"ILightingZone.TurnOff zone 4"));
    EXPECT_EQ(4, Count(log, L"ILightingZone.TurnOn zone 4"));
    EXPECT_EQ(0, Count(log, L"IPowerSettings."));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, ARefusedWriteStaysUnsavedAndASlowOneEndsBeforeTheProgram)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    HWND apply = ItemWindow(main, L"MainPage.xml", L"BUTTON_APPLY");
    HWND ok = ItemWindow(main, L"MainPage.xml", L"BUTTON_OK");
    ASSERT_TRUE(apply && ok);

    // The mouse refuses a step: once the write is over, a warning says so
    // and Apply is on again.
    ASSERT_EQ(0, RunDeviceCtl(L"fail IDpiSettings.SetStages 0x80004005 1"));
    Click(main, apply);
    EXPECT_FALSE(::IsWindowEnabled(apply));
    HWND warning = WaitForPopup(main);
    ASSERT_NE(nullptr, warning);
    EXPECT_TRUE(::IsWindowEnabled(apply));
    ::PostMessageW(warning, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(main) != FALSE; }));

    // Each profile's stages now take 1.6 s, longer in all than the device
    // object's wait at its end: OK closes only after the whole write.
    ASSERT_EQ(0, RunDeviceCtl(L"slow IDpiSettings.SetStages 1600"));
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    Click(main, ok);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
    std::vector<std::wstring> log = CallLog();
    EXPECT_EQ(5, Count(log, L"IDpiSettings.SetStages"));
    EXPECT_EQ(1, Count(log, L"IProfileManager.SetActive"));
    // Saved: nothing is read back on the way out.
    EXPECT_EQ(0, Count(log, L"IDpiSettings.GetStages"));
}

TEST_F(Program, WhatAnApplyWroteIsWhatTheNextStartReadsBack)
{
    std::vector<std::wstring> before, edited;
    {
        StartedProgram program(L"TanduKovuConfig.exe");
        HWND main = program.WaitForWindow(kMainClass);
        ASSERT_NE(nullptr, main);
        ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
        before = Setters(ApplyAndWait(main));
        ASSERT_FALSE(before.empty());
        // The active profile's sensitivity, 3700 (slider position x step);
        // edits are ignored until the writing state has ended, so the slider
        // is moved again until Apply comes on. Then the wheel colour, which
        // is previewed at once.
        HWND apply = ItemWindow(main, L"MainPage.xml", L"BUTTON_APPLY");
        DWORD_PTR result = 0;
        ASSERT_TRUE(PumpUntil(
            [&] {
                ::SendMessageTimeoutW(main, WM_SLIDER_CHANGING, 37, SLIDER_DPI_MULTI_STAGE1, SMTO_NORMAL,
                                      kHangTimeoutMs, &result);
                return ::IsWindowEnabled(apply) != FALSE;
            },
            kProgramTimeoutMs));
        const int effects = Count(CallLog(), L"IZoneEffect.Set zone 1");
        ::SendMessageTimeoutW(main, WM_ITEM_VALUE_CHOSEN, 0x3366CC, DROPDOWN_MOUSE_COLOR, SMTO_NORMAL, kHangTimeoutMs,
                              &result);
        // The preview's last call, before the log starts again for the write.
        ASSERT_TRUE(LogReaches(L"IZoneEffect.Set zone 1", effects + 1));
        const wchar_t kColour[] = L"IZoneColorValue.Set zone 1 0x3366CC";
        EXPECT_EQ(1, Count(CallLog(), kColour));
        ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
        edited = Setters(ApplyAndWait(main));
        ASSERT_FALSE(edited.empty());
        EXPECT_EQ(1, Count(edited, L"IDpiSettings.SetDpi 3700 3700"));
        EXPECT_GT(Count(edited, kColour), Count(before, kColour));
        EXPECT_NE(before, edited);
        ::PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
    }
    // The mouse starts again from what it stored.
    ASSERT_TRUE(RestartService());
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    ASSERT_EQ(0, RunDeviceCtl(L"log clear"));
    // Applying what it read sends exactly what the first run wrote.
    EXPECT_EQ(edited, Setters(ApplyAndWait(main)));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}
