// Both programs start from the program folder, show their first window and
// end cleanly when asked to close. They start each other from InstallDir,
// which names a scratch folder of recording stand-ins here.
#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "RecordingWnd.h"
#include "ScratchInstallDir.h"

namespace {

class Smoke : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installDir.Ready());
        ASSERT_TRUE(ResetDeviceService());
    }
    ScratchInstallDir installDir;
};

}  // namespace

TEST_F(Smoke, ConfiguratorStartsShowsItsWindowAndEnds)
{
    StartedProgram program(L"TanduKovuConfig.exe");
    ASSERT_TRUE(program.Started());
    // The main window has no caption: it is found by its class.
    HWND main = program.WaitForWindow(L"SINGLE_INSTANCE_APP_KOVU");
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(PumpUntil([&] { return installDir.StartCount(L"TanduKovuSysTray.exe") == 1; }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}

TEST_F(Smoke, TrayProgramStartsAndEnds)
{
    StartedProgram program(L"TanduKovuSysTray.exe");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow(L"#32770", false);  // its controller is a hidden dialog
    ASSERT_NE(nullptr, window);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.WaitForExit(kProgramTimeoutMs));
}
