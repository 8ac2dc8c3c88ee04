#include "StepsFixture.h"

using namespace featuresteps;

TEST_F(StepsTest, StagesAndSensitivityRoundTrip)
{
    config.SetStageCount(3, profile);
    config.SetStageFlag(1, 0, profile);
    config.SetStageValue(1, 800, profile);
    config.SetStageFlag(2, 1, profile);
    config.SetStageX(2, 800, profile);
    config.SetStageY(2, 1600, profile);
    config.SetStageFlag(3, 0, profile);
    config.SetStageValue(3, 2400, profile);
    config.SetCurrentStage(2, profile);
    config.SetXYSeparate(1, profile);
    config.SetDpiX(1200, profile);
    config.SetDpiY(2000, profile);
    ASSERT_TRUE(WriteSensitivity(first.Get(), config, profile));
    EXPECT_EQ(std::vector<std::wstring>{L" 3 800x800 800x1600 2400x2400"}, Calls(L"IDpiSettings.SetStages"));

    config.SetStageCount(5, profile);
    for (int s = 1; s <= 5; ++s) {
        config.SetStageFlag(s, 1, profile);
        config.SetStageValue(s, 100, profile);
    }
    config.SetCurrentStage(5, profile);
    config.SetXYSeparate(0, profile);
    ASSERT_TRUE(ReadSensitivity(first.Get(), config, profile));
    EXPECT_EQ(3u, config.GetStageCount(profile));
    EXPECT_EQ(0, config.GetStageFlag(1, profile));
    EXPECT_EQ(800u, config.GetStageValue(1, profile));
    EXPECT_EQ(1, config.GetStageFlag(2, profile));
    EXPECT_EQ(800u, config.GetStageValue(2, profile));
    EXPECT_EQ(800u, config.GetStageX(2, profile));
    EXPECT_EQ(1600u, config.GetStageY(2, profile));
    EXPECT_EQ(2400u, config.GetStageValue(3, profile));
    EXPECT_EQ(2, config.GetCurrentStage(profile));
    EXPECT_EQ(1, config.GetXYSeparate(profile));
    EXPECT_EQ(1200, config.GetDpiX(profile));
    EXPECT_EQ(2000, config.GetDpiY(profile));
    EXPECT_EQ(1200, config.GetDpi(profile));

    // The current stage goes only when it differs; one value serves X and Y.
    ClearLog();
    config.SetXYSeparate(0, profile);
    config.SetDpi(1800, profile);
    ASSERT_TRUE(WriteSensitivity(first.Get(), config, profile));
    EXPECT_EQ(0, CountCalls(L"IDpiSettings.SetCurrentStage"));
    EXPECT_EQ(std::vector<std::wstring>{L" 1800 1800"}, Calls(L"IDpiSettings.SetDpi"));
}

TEST_F(StepsTest, AFailedSensitivityReadLeavesTheProfileAsItWas)
{
    const uint32_t before = config.GetStageValue(2, profile);
    const int dpi = config.GetDpi(profile);
    const int stage = config.GetCurrentStage(profile);
    for (const wchar_t* op : {L"IDpiSettings.GetStages", L"IDpiSettings.GetDpi", L"IDpiSettings.GetCurrentStage"}) {
        Control()->SetFault(op, E_FAIL, 0, 1);
        EXPECT_FALSE(ReadSensitivity(first.Get(), config, profile)) << op;
        EXPECT_EQ(before, config.GetStageValue(2, profile)) << op;
        EXPECT_EQ(dpi, config.GetDpi(profile)) << op;
        EXPECT_EQ(stage, config.GetCurrentStage(profile)) << op;
        EXPECT_EQ(5u, config.GetStageCount(profile)) << op;
    }
}

TEST_F(StepsTest, ARefusedStageListFailsTheSensitivityWrite)
{
    Control()->SetFault(L"IDpiSettings.SetStages", E_INVALIDARG, 0, 1);
    EXPECT_FALSE(WriteSensitivity(first.Get(), config, profile));
    // The rest is still sent.
    EXPECT_EQ(1, CountCalls(L"IDpiSettings.SetDpi"));
    EXPECT_TRUE(WriteSensitivity(first.Get(), config, profile));
}

TEST_F(StepsTest, MoreStagesThanTheProfileHoldsAreRefused)
{
    EditDevice([](tkservice::DeviceState& d) {
        d.profiles[0]->stages.assign(5, {900, 900});
    });
    config.SetStageCapacity(4, profile);
    config.SetStageValue(1, 1000, profile);
    EXPECT_FALSE(ReadSensitivity(first.Get(), config, profile));
    EXPECT_EQ(1000u, config.GetStageValue(1, profile));
}
