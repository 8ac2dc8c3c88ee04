#include "StepsFixture.h"

using namespace featuresteps;

TEST_F(StepsTest, AccelerationRoundTrip)
{
    config.SetAccelerationRange(1, 10);
    config.SetAcceleration(7);
    config.SetAccelerationEnabled(0);
    ASSERT_TRUE(WriteAcceleration(Device(), config));
    config.SetAcceleration(2);
    config.SetAccelerationEnabled(1);
    ASSERT_TRUE(ReadAcceleration(Device(), config));
    EXPECT_EQ(7, config.GetAcceleration());
    EXPECT_EQ(0, config.GetAccelerationEnabled());

    // A refused value sends nothing more.
    Control()->SetFault(L"IDeviceSwitches.SetValue", E_FAIL, 0, 1);
    ClearLog();
    EXPECT_FALSE(WriteAcceleration(Device(), config));
    EXPECT_EQ(0, CountCalls(L"IDeviceSwitches.Disable"));
}

TEST_F(StepsTest, ReportRateIndexesAndIntervals)
{
    const ULONG intervals[3] = {8, 2, 1};
    for (int index = 0; index <= 2; ++index) {
        config.SetPollingRateIndex(index);
        ClearLog();
        ASSERT_TRUE(WriteReportRate(Device(), config)) << index;
        EXPECT_EQ(std::vector<std::wstring>{L" " + std::to_wstring(intervals[index])}, Calls(L"IReportRate.Set"));
        config.SetPollingRateIndex(-1);
        ASSERT_TRUE(ReadReportRate(Device(), config));
        EXPECT_EQ(index, config.GetPollingRateIndex());
    }

    EditDevice([](tkservice::DeviceState& d) { d.reportInterval = 4; });
    ASSERT_TRUE(ReadReportRate(Device(), config));
    EXPECT_EQ(-1, config.GetPollingRateIndex());
    ClearLog();
    EXPECT_FALSE(WriteReportRate(Device(), config));
    EXPECT_EQ(L"", Log());
}

TEST_F(StepsTest, PowerSettingsRoundTripAndFailSeparately)
{
    config.ResetBatteryLevelRange();
    config.SetFlashWarningLevel(15);
    config.SetReducedBrightness(25);
    config.SetIdleToSleepSeconds(600);
    ASSERT_TRUE(WritePowerSettings(Device(), config));
    config.SetFlashWarningLevel(1);
    config.SetReducedBrightness(1);
    config.SetIdleToSleepSeconds(1);
    ASSERT_TRUE(ReadPowerSettings(Device(), config));
    EXPECT_EQ(15u, config.GetFlashWarningLevel());
    EXPECT_EQ(25u, config.GetReducedBrightness());
    EXPECT_EQ(600u, config.GetIdleToSleepSeconds());

    Control()->SetFault(L"IPowerSettings.SetWarningLevel", E_FAIL, 0, 1);
    ClearLog();
    EXPECT_FALSE(WritePowerSettings(Device(), config));
    EXPECT_EQ(3, CountCalls(L"IPowerSettings.Set"));
    Control()->SetFault(L"IPowerSettings.GetReducedBrightness", E_FAIL, 0, 1);
    config.SetReducedBrightness(9);
    config.SetIdleToSleepSeconds(9);
    EXPECT_FALSE(ReadPowerSettings(Device(), config));
    EXPECT_EQ(9u, config.GetReducedBrightness());
    EXPECT_EQ(600u, config.GetIdleToSleepSeconds());
}

TEST_F(StepsTest, BatteryLevelAndState)
{
    config.ResetBatteryLevelRange();
    Control()->SetBattery(0x1F, 64, 1);
    ASSERT_TRUE(ReadBattery(Device(), config));
    EXPECT_EQ(64u, config.GetBatteryLevel());
    EXPECT_EQ(1, config.GetBatteryState());

    // An unknown state and an impossible level are both refused; the level
    // keeps its last reading.
    Control()->SetBattery(0x1F, 200, 7);
    EXPECT_FALSE(ReadBattery(Device(), config));
    EXPECT_EQ(64u, config.GetBatteryLevel());
    EXPECT_EQ(-1, config.GetBatteryState());
}
