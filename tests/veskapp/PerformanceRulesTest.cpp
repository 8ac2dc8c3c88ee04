// The performance page's rules over a real configuration: slider units at
// the range ends, the X/Y switch, and the stages through the popup's model.
#include <gtest/gtest.h>

#include "PerformanceRules.h"
#include "VeskConfig.h"

namespace {

class PerformanceRulesTest : public ::testing::Test {
protected:
    PerformanceRulesTest()
    {
        config.SetActiveProfile(config.NewProfile(L"One"));  // 100..5600 in steps of 100
    }
    CVeskConfig config;
};

}  // namespace

TEST_F(PerformanceRulesTest, SliderValuesAndSensitivityAtTheRangeEnds)
{
    SliderSpan s = SensitivitySliderSpan(config);
    EXPECT_EQ(1, s.min);
    EXPECT_EQ(56, s.max);
    EXPECT_EQ(1600, SliderToSensitivity(config, 16));
    EXPECT_EQ(100, SliderToSensitivity(config, s.min));
    EXPECT_EQ(5600, SliderToSensitivity(config, s.max));
    EXPECT_EQ(100, SliderToSensitivity(config, 0));
    EXPECT_EQ(5600, SliderToSensitivity(config, 1000000000));
    EXPECT_EQ(1, SensitivityToSlider(config, 100));
    EXPECT_EQ(56, SensitivityToSlider(config, 5600));
    EXPECT_EQ(1, SensitivityToSlider(config, 0));
    EXPECT_EQ(56, SensitivityToSlider(config, 9000));

    // A range without a step counts in single units.
    config.SetDpiRange(50, 400, 0, nullptr);
    EXPECT_EQ(1, SensitivityStep(config));
    EXPECT_EQ(400, SensitivitySliderSpan(config).max);

    config.SetAccelerationRange(1, 10);
    EXPECT_EQ(1, AccelerationSliderSpan(config).min);
    EXPECT_EQ(10, AccelerationSliderSpan(config).max);
    EXPECT_EQ(CString(L"500 Hz"), ReportRateCaption(500, L"Hz"));
}

TEST_F(PerformanceRulesTest, SeparateXYCopiesOneWayAndKeepsXTheOther)
{
    config.SetDpi(1600, nullptr);
    config.SetDpiX(300, nullptr);
    config.SetDpiY(400, nullptr);
    EXPECT_FALSE(ChangeXYSeparate(config, false));
    EXPECT_EQ(300, config.GetDpiX(nullptr));
    EXPECT_TRUE(ChangeXYSeparate(config, true));
    EXPECT_EQ(1, config.GetXYSeparate(nullptr));
    EXPECT_EQ(1600, config.GetDpiX(nullptr));
    EXPECT_EQ(1600, config.GetDpiY(nullptr));
    config.SetDpiX(800, nullptr);
    config.SetDpiY(2400, nullptr);
    EXPECT_TRUE(ChangeXYSeparate(config, false));
    EXPECT_EQ(800, config.GetDpi(nullptr));
    EXPECT_EQ(800, config.GetDpiX(nullptr));
}

TEST_F(PerformanceRulesTest, StagesRoundTripThroughTheModel)
{
    DpiStagesModel m = BuildStagesModel(config);
    ASSERT_EQ(5u, m.stages.size());
    EXPECT_EQ(5, m.stageCount);
    EXPECT_EQ(3, m.currentStage);
    EXPECT_EQ(1800, m.stages[2].value);
    EXPECT_TRUE(m.stages[2].selected);
    EXPECT_EQ(100, m.step);

    // What the popup leaves: three stages, stage 2 current and split.
    m.stageCount = 3;
    m.currentStage = 2;
    m.stages[2].selected = 0;
    m.stages[1] = DpiStageEntry{1000, 900, 1300, 1, 1, 1};
    StoreStagesModel(config, m);
    EXPECT_EQ(3u, config.GetStageCount(nullptr));
    EXPECT_EQ(2, config.GetCurrentStage(nullptr));
    EXPECT_EQ(1300u, config.GetStageY(2, nullptr));
    EXPECT_EQ(1, config.GetStageFlag(2, nullptr));
    EXPECT_EQ(1000, config.GetDpi(nullptr));
    EXPECT_EQ(900, config.GetDpiX(nullptr));
    EXPECT_EQ(1300, config.GetDpiY(nullptr));
    EXPECT_EQ(1, config.GetXYSeparate(nullptr));

    DpiStagesModel again = BuildStagesModel(config);
    EXPECT_EQ(3, again.stageCount);
    EXPECT_EQ(2, again.currentStage);
    EXPECT_TRUE(again.stages[1].separateXY);
    EXPECT_FALSE(again.stages[3].enabled);

    // A profile with no current stage or no stage in use still opens on one.
    config.SetCurrentStage(0, nullptr);
    config.SetStageCount(0, nullptr);
    DpiStagesModel unset = BuildStagesModel(config);
    EXPECT_EQ(1, unset.stageCount);
    EXPECT_EQ(1, unset.currentStage);
    EXPECT_TRUE(unset.stages[0].selected);
}
