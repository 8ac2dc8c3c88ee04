#include "DpiStagesModel.h"

DpiStagesLogic::DpiStagesLogic(DpiStagesModel& model, int tileCount) : m_model(model)
{
    int entries = (int)model.stages.size();
    if (tileCount > kMaxTiles)
        tileCount = kMaxTiles;
    if (tileCount > entries)
        tileCount = entries;
    m_tileCount = tileCount < 0 ? 0 : tileCount;
    for (int i = 0; i < m_tileCount; ++i)
        m_tileSelected[i] = model.stages[i].selected != 0;
}

void DpiStagesLogic::ClampCurrentStage()
{
    // An opener's stale or zero current stage must not index outside the
    // entries.
    int entries = (int)m_model.stages.size();
    if (entries == 0)
        return;
    if (m_model.currentStage < 1)
        m_model.currentStage = 1;
    if (m_model.currentStage > entries)
        m_model.currentStage = entries;
}

DpiStageEntry* DpiStagesLogic::CurrentEntry()
{
    int i = m_model.currentStage - 1;
    if (i < 0 || i >= (int)m_model.stages.size())
        return nullptr;
    return &m_model.stages[i];
}

const DpiStageEntry* DpiStagesLogic::Current() const
{
    return const_cast<DpiStagesLogic*>(this)->CurrentEntry();
}

int DpiStagesLogic::SliderTarget(DpiSlider slider) const
{
    const DpiStageEntry* e = Current();
    if (!e)
        return 0;
    switch (slider) {
    case DpiSlider::X: return e->x / Step();
    case DpiSlider::Y: return e->y / Step();
    default: return e->value / Step();
    }
}

void DpiStagesLogic::Open()
{
    ClampCurrentStage();
    SyncSeparate();
    UpdateTiles();
}

// The check box follows the current stage, then its state is applied.
void DpiStagesLogic::SyncSeparate()
{
    DpiStageEntry* e = CurrentEntry();
    if (e && m_separateChecked != (e->separateXY != 0))
        m_separateChecked = e->separateXY != 0;
    ApplySeparate(m_separateChecked);
}

void DpiStagesLogic::ApplySeparate(bool separate)
{
    m_separateChecked = separate;
    DpiStageEntry* e = CurrentEntry();
    if (!e)
        return;
    bool changed = separate != (e->separateXY != 0);
    e->separateXY = separate ? 1 : 0;
    if (changed) {
        if (separate) {
            e->x = e->value;
            e->y = e->value;
        } else {
            e->value = e->x;
        }
    }
}

void DpiStagesLogic::UpdateTiles()
{
    for (int i = 0; i < m_tileCount; ++i) {
        DpiStageEntry& e = m_model.stages[i];
        e.enabled = i < m_model.stageCount ? 1 : 0;
        if (e.selected && i >= m_model.stageCount) {
            e.selected = 0;
            if (m_model.stageCount > 0) {
                m_model.currentStage = m_model.stageCount;
                int c = m_model.stageCount - 1;
                if (c < (int)m_model.stages.size())
                    m_model.stages[c].selected = 1;
                if (c < m_tileCount)
                    m_tileSelected[c] = true;
            }
        }
        m_tileSelected[i] = e.selected != 0;
    }
}

void DpiStagesLogic::ReadSelection()
{
    for (int i = 0; i < m_tileCount; ++i) {
        m_model.stages[i].selected = m_tileSelected[i] ? 1 : 0;
        if (m_tileSelected[i])
            m_model.currentStage = i + 1;
    }
    ClampCurrentStage();
    SyncSeparate();
}

void DpiStagesLogic::Minus()
{
    m_model.stageCount = m_model.stageCount > 1 ? m_model.stageCount - 1 : 1;
    UpdateTiles();
    ReadSelection();
}

void DpiStagesLogic::Plus()
{
    int entries = (int)m_model.stages.size();
    if (m_model.stageCount + 1 <= entries)
        m_model.stageCount += 1;
    UpdateTiles();
    ReadSelection();
}

bool DpiStagesLogic::SelectTile(int stageNumber)
{
    int index = stageNumber - 1;
    if (index < 0 || index >= m_tileCount || m_tileSelected[index])
        return false;
    for (int i = 0; i < m_tileCount; ++i)
        m_tileSelected[i] = i == index;
    ReadSelection();
    return true;
}

bool DpiStagesLogic::SliderValue(DpiSlider slider, int sliderValue)
{
    DpiStageEntry* e = CurrentEntry();
    if (!e)
        return false;
    long long v = (long long)sliderValue * Step();
    if (v > m_model.maximum)
        v = m_model.maximum;
    if (v < m_model.minimum)
        v = m_model.minimum;
    switch (slider) {
    case DpiSlider::X: e->x = (int)v; break;
    case DpiSlider::Y: e->y = (int)v; break;
    default: e->value = (int)v; break;
    }
    UpdateTiles();
    return true;
}
