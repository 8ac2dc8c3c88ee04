// The DPI stages popup's rules over its model.
#include <gtest/gtest.h>

#include "DpiStagesModel.h"

namespace {

DpiStagesModel MakeModel(int entries, int count, int current)
{
    DpiStagesModel m;
    m.minimum = 100;
    m.maximum = 5600;
    m.step = 100;
    m.stageCount = count;
    m.currentStage = current;
    for (int i = 0; i < entries; ++i) {
        DpiStageEntry e;
        e.value = 400 * (i + 1);
        e.x = e.value + 50;
        e.y = e.value + 70;
        e.selected = (i + 1 == current) ? 1 : 0;
        m.stages.push_back(e);
    }
    return m;
}

}  // namespace

TEST(DpiStagesLogic, MinusMovesTheSelectionIntoTheStagesInUse)
{
    DpiStagesModel m = MakeModel(5, 3, 3);
    DpiStagesLogic logic(m, 5);
    logic.Open();
    ASSERT_TRUE(logic.TileSelected(2));
    logic.Minus();
    EXPECT_EQ(2, m.stageCount);
    EXPECT_EQ(2, m.currentStage);
    EXPECT_TRUE(logic.TileSelected(1));
    EXPECT_FALSE(logic.TileSelected(2));
    EXPECT_FALSE(logic.TileShown(2));
    EXPECT_TRUE(logic.TileShown(1));
    EXPECT_EQ(1, m.stages[1].selected);
    EXPECT_EQ(0, m.stages[2].selected);
    EXPECT_EQ(0, m.stages[2].enabled);
    // Minus at one stage keeps one stage.
    logic.Minus();
    logic.Minus();
    EXPECT_EQ(1, m.stageCount);
    EXPECT_EQ(1, m.currentStage);
    EXPECT_TRUE(logic.TileSelected(0));
}

TEST(DpiStagesLogic, PlusStopsAtTheNumberOfEntries)
{
    DpiStagesModel m = MakeModel(5, 4, 1);
    DpiStagesLogic logic(m, 5);
    logic.Open();
    logic.Plus();
    EXPECT_EQ(5, m.stageCount);
    logic.Plus();
    EXPECT_EQ(5, m.stageCount);
    EXPECT_EQ(1, m.currentStage);
    EXPECT_TRUE(logic.TileShown(4));
}

TEST(DpiStagesLogic, SeparateModeCopiesValuesBothWays)
{
    DpiStagesModel m = MakeModel(3, 3, 2);
    DpiStagesLogic logic(m, 5);
    logic.Open();
    EXPECT_FALSE(logic.SeparateChecked());
    logic.ApplySeparate(true);
    EXPECT_EQ(1, m.stages[1].separateXY);
    EXPECT_EQ(800, m.stages[1].x);
    EXPECT_EQ(800, m.stages[1].y);
    EXPECT_TRUE(logic.SliderValue(DpiSlider::X, 12));
    EXPECT_EQ(1200, m.stages[1].x);
    logic.ApplySeparate(false);
    EXPECT_EQ(1200, m.stages[1].value);
    // Applying the same state again changes nothing.
    m.stages[1].x = 300;
    logic.ApplySeparate(false);
    EXPECT_EQ(1200, m.stages[1].value);
}

TEST(DpiStagesLogic, SliderValuesAreStepUnitsClampedIntoTheRange)
{
    DpiStagesModel m = MakeModel(3, 3, 1);
    DpiStagesLogic logic(m, 5);
    logic.Open();
    EXPECT_EQ(1, logic.SliderMin());
    EXPECT_EQ(56, logic.SliderMax());
    logic.SliderValue(DpiSlider::Combined, 7);
    EXPECT_EQ(700, m.stages[0].value);
    logic.SliderValue(DpiSlider::Combined, 60);
    EXPECT_EQ(5600, m.stages[0].value);
    logic.SliderValue(DpiSlider::Y, -3);
    EXPECT_EQ(100, m.stages[0].y);
    EXPECT_EQ(56, logic.SliderTarget(DpiSlider::Combined));
}

TEST(DpiStagesLogic, StepZeroCountsAsOne)
{
    DpiStagesModel m = MakeModel(2, 2, 1);
    m.step = 0;
    DpiStagesLogic logic(m, 5);
    logic.Open();
    EXPECT_EQ(1, logic.Step());
    EXPECT_EQ(100, logic.SliderMin());
    EXPECT_EQ(5600, logic.SliderMax());
    logic.SliderValue(DpiSlider::Combined, 1234);
    EXPECT_EQ(1234, m.stages[0].value);
    EXPECT_EQ(1234, logic.SliderTarget(DpiSlider::Combined));
}

TEST(DpiStagesLogic, CurrentStageIsClampedOnOpenAndSelection)
{
    DpiStagesModel m = MakeModel(3, 3, 0);
    m.currentStage = 9;
    DpiStagesLogic logic(m, 5);
    logic.Open();
    EXPECT_EQ(3, m.currentStage);
    m.currentStage = -2;
    logic.ReadSelection();  // nothing selected: the clamp still holds
    EXPECT_EQ(1, m.currentStage);
    // An empty model: nothing to edit, nothing breaks.
    DpiStagesModel empty;
    DpiStagesLogic none(empty, 5);
    none.Open();
    none.Plus();
    none.Minus();
    EXPECT_FALSE(none.SliderValue(DpiSlider::X, 3));
    EXPECT_FALSE(none.SelectTile(1));
    EXPECT_EQ(0, none.SliderTarget(DpiSlider::X));
}

TEST(DpiStagesLogic, TileSelectionAndTheSixthEntry)
{
    DpiStagesModel m = MakeModel(6, 6, 1);
    DpiStagesLogic logic(m, 5);
    logic.Open();
    EXPECT_EQ(5, logic.TileCount());
    EXPECT_FALSE(logic.SelectTile(1));  // already selected: nothing
    EXPECT_FALSE(logic.SelectTile(6));  // no sixth tile
    EXPECT_TRUE(logic.SelectTile(4));
    EXPECT_EQ(4, m.currentStage);
    EXPECT_TRUE(logic.TileSelected(3));
    EXPECT_FALSE(logic.TileSelected(0));
    EXPECT_EQ(0, m.stages[0].selected);
    EXPECT_EQ(0, m.stages[5].selected);
    // The check box follows the newly current stage.
    m.stages[1].separateXY = 1;
    logic.SelectTile(2);
    EXPECT_TRUE(logic.SeparateChecked());
}
