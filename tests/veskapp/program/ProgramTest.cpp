// The configurator as a program against the simulated mouse: one instance,
// no mouse at start, the mouse going away, the battery segments, and the
// dock's splash. Each test starts from the service's default state and a
// scratch InstallDir whose stand-ins record the tray program's starts.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "ItemIds.h"
#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "ScratchInstallDir.h"

namespace {

const wchar_t kMainClass[] = L"SINGLE_INSTANCE_APP_KOVU";
const wchar_t kDialogClass[] = L"#32770";  // the popups' windows

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installDir.Ready());
        ASSERT_TRUE(ResetDeviceService());
    }
    void TearDown() override { ResetDeviceService(); }

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

// A removal notice of the wireless mouse's interface, sent across processes
// (the system copies the notice along).
void SendRemoval(HWND main, const wchar_t* path)
{
    size_t bytes = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (wcslen(path) + 1) * sizeof(wchar_t);
    std::vector<BYTE> data(bytes, 0);
    auto* n = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(data.data());
    n->dbcc_size = (DWORD)bytes;
    n->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    wcscpy(n->dbcc_name, path);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, (LPARAM)data.data(), SMTO_NORMAL,
                          kHangTimeoutMs, &result);
}

const wchar_t kWirelessPath[] = L"\\\\?\\HID#VID_2F7C&PID_001F#7&1&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

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
    SendRemoval(main, L"\\\\?\\HID#VID_2F7C&PID_0015#7&1&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}");
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    SendRemoval(main, kWirelessPath);
    HWND popup = program.WaitForWindow(kDialogClass);
    ASSERT_NE(nullptr, popup);
    SendRemoval(main, kWirelessPath);  // a second notice while the warning shows
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Program, BatterySegmentsFollowTheLevelAndMoveWhileCharging)
{
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 60 0"));
    StartedProgram program(L"TanduKovuConfig.exe");
    HWND main = program.WaitForWindow(kMainClass);
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x7; })) << Segments(main);
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 0"));
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x1; })) << Segments(main);
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 1"));
    // Charging: the count climbs tick by tick to all four, then starts over.
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0xF; })) << Segments(main);
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0x1; })) << Segments(main);
    ASSERT_EQ(0, RunDeviceCtl(L"battery wireless 10 2"));
    EXPECT_TRUE(PumpUntil([&] { return Segments(main) == 0; })) << Segments(main);
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
