// The configurator as a program against the simulated mouse: one instance,
// no mouse at start, the mouse going away, the battery segments, and the
// dock's splash. Each test starts from the service's default state and a
// scratch InstallDir whose stand-ins record the tray program's starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ItemIds.h"
#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "RemovalNotice.h"
#include "ScratchInstallDir.h"

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
    ASSERT_EQ(0, RunDeviceCtl(L"detach wireless"));
    SendRemoval(main, MouseInterfacePath(L"001F"));
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
