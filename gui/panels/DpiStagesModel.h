// The sensitivity stages that the DPI stages popup edits, and the popup's
// rules over them (stage count, selection, the X/Y split, slider values in
// step units) as plain logic. CDPIStagesPopup shows what this logic decides.
#pragma once

#include <array>
#include <vector>

struct DpiStageEntry {
    int value = 0;  // combined sensitivity
    int x = 0;
    int y = 0;
    unsigned char selected = 0;
    unsigned char enabled = 0;
    unsigned char separateXY = 0;
};

// Owned by whoever opens the popup and lent to it while it is open.
struct DpiStagesModel {
    int minimum = 0;
    int maximum = 0;
    int step = 1;          // every slider works in units of step
    int stageCount = 1;    // stages in use, 1 up to stages.size()
    int currentStage = 1;  // counted from 1
    std::vector<DpiStageEntry> stages;
};

enum class DpiSlider { Combined = 0, X = 1, Y = 2 };

// The popup's state beside the model: the tiles' own selected flags and the
// separate-X/Y check box.
class DpiStagesLogic {
public:
    static constexpr int kMaxTiles = 5;

    DpiStagesLogic(DpiStagesModel& model, int tileCount);

    // Opening: the current stage is clamped, then the check box, the split
    // state, the slider range and values and the tiles are brought in line.
    void Open();
    void Minus();
    void Plus();
    // A tile reported a click (stage number from 1). False when the tile
    // does not exist or was already selected: nothing changes then.
    bool SelectTile(int stageNumber);
    // The check box was toggled to `separate`.
    void ApplySeparate(bool separate);
    // A slider reported sliderValue (in step units). Stores the clamped value
    // into the current stage; false when there is no current stage.
    bool SliderValue(DpiSlider slider, int sliderValue);
    // The tiles' selection becomes the model's (as on OK).
    void ReadSelection();

    // What the popup shows.
    int TileCount() const { return m_tileCount; }
    bool TileSelected(int i) const { return i >= 0 && i < m_tileCount && m_tileSelected[i]; }
    bool TileShown(int i) const { return i >= 0 && i < m_tileCount && i < m_model.stageCount; }
    bool SeparateChecked() const { return m_separateChecked; }
    int Step() const { return m_model.step > 0 ? m_model.step : 1; }
    int SliderMin() const { return m_model.minimum / Step(); }
    int SliderMax() const { return m_model.maximum / Step(); }
    // The value a slider shows for the current stage (step units), before the
    // slider's own clamping.
    int SliderTarget(DpiSlider slider) const;
    const DpiStageEntry* Current() const;
    DpiStagesModel& Model() { return m_model; }

    // Steps of the rules, also used by the popup when it needs them alone.
    void UpdateTiles();
    void ClampCurrentStage();

private:
    DpiStageEntry* CurrentEntry();
    void SyncSeparate();

    DpiStagesModel& m_model;
    int m_tileCount;
    std::array<bool, kMaxTiles> m_tileSelected{};
    bool m_separateChecked = false;
};
