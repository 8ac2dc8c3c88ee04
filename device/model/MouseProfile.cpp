#include "MouseProfile.h"

void CMouseProfile::CopyFrom(const CMouseProfile& source)
{
    CopyBaseFrom(source);
    m_dpiOsd = source.m_dpiOsd;
    m_keyMode = source.m_keyMode;
    m_dpiMin = source.m_dpiMin;
    m_dpiMax = source.m_dpiMax;
    m_dpiStep = source.m_dpiStep;
    m_capacity = source.m_capacity;
    m_stageCount = source.m_stageCount;
    m_dpi = source.m_dpi;
    m_dpiX = source.m_dpiX;
    m_dpiY = source.m_dpiY;
    m_xySeparate = source.m_xySeparate;
    SetStageCapacity(source.m_capacity);
    for (size_t i = 0; i < m_stages.size() && i < source.m_stages.size(); ++i)
        m_stages[i] = source.m_stages[i];
    m_currentStage = source.m_currentStage;
    m_buttonAssignments = source.m_buttonAssignments;
}

int CMouseProfile::ResolveStage(int stage, uint32_t capacity)
{
    if (capacity == 0)
        return -1;
    if (stage < 1)
        return 0;
    if ((uint32_t)stage > capacity)
        return (int)capacity - 1;
    return stage - 1;
}

uint32_t CMouseProfile::ClampToRange(uint32_t value, uint32_t min, uint32_t max)
{
    if (value > max)
        return max;
    if (value < min)
        return min;
    return value;
}

ProfileStage* CMouseProfile::Stage(int stage)
{
    int i = ResolveStage(stage, (uint32_t)m_stages.size());
    return i < 0 ? nullptr : &m_stages[(size_t)i];
}

const ProfileStage* CMouseProfile::Stage(int stage) const
{
    int i = ResolveStage(stage, (uint32_t)m_stages.size());
    return i < 0 ? nullptr : &m_stages[(size_t)i];
}

// Makes a fresh array of zeroed stages; the values are not kept and the
// stage count stays as it was.
bool CMouseProfile::SetStageCapacity(uint32_t n)
{
    if (n > kMaxStages)
        n = kMaxStages;
    if (n == 0)
        n = 1;
    m_stages.assign(n, ProfileStage());
    m_capacity = n;
    SetCurrentStage(1);
    return true;
}

void CMouseProfile::SetCurrentStage(uint32_t n)
{
    if (m_capacity == 0)
        m_currentStage = 0;
    else if (n >= m_capacity)
        m_currentStage = (int)m_capacity - 1;
    else
        m_currentStage = (int)n - 1;
}

void CMouseProfile::SetStageFlag(int stage, uint8_t flag)
{
    if (ProfileStage* s = Stage(stage))
        s->flag = flag;
}

uint8_t CMouseProfile::GetStageFlag(int stage) const
{
    const ProfileStage* s = Stage(stage);
    return s ? s->flag : 0;
}

void CMouseProfile::SetStageValue(int stage, uint32_t value)
{
    if (ProfileStage* s = Stage(stage))
        s->value = (int)ClampToRange(value, m_dpiMin, m_dpiMax);
}

uint32_t CMouseProfile::GetStageValue(int stage) const
{
    const ProfileStage* s = Stage(stage);
    return s ? (uint32_t)s->value : 0;
}

void CMouseProfile::SetStageX(int stage, uint32_t value)
{
    if (ProfileStage* s = Stage(stage))
        s->x = (int)ClampToRange(value, m_dpiMin, m_dpiMax);
}

uint32_t CMouseProfile::GetStageX(int stage) const
{
    const ProfileStage* s = Stage(stage);
    return s ? (uint32_t)s->x : 0;
}

void CMouseProfile::SetStageY(int stage, uint32_t value)
{
    if (ProfileStage* s = Stage(stage))
        s->y = (int)ClampToRange(value, m_dpiMin, m_dpiMax);
}

uint32_t CMouseProfile::GetStageY(int stage) const
{
    const ProfileStage* s = Stage(stage);
    return s ? (uint32_t)s->y : 0;
}

void CMouseProfile::SetDpiRange(uint32_t min, uint32_t max, uint32_t step)
{
    m_dpiMin = min;
    m_dpiMax = max;
    m_dpiStep = step;
}

bool CMouseProfile::GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step) const
{
    min = m_dpiMin;
    max = m_dpiMax;
    step = m_dpiStep;
    return true;
}

void CMouseProfile::SetButtonAssignment(int button, const AssignmentRecord& record)
{
    if (IsFunctionTypeAllowed(record.type, button))
        m_buttonAssignments[button] = record;
}

void CMouseProfile::GetButtonAssignment(AssignmentRecord& out, int button)
{
    auto it = m_buttonAssignments.find(button);
    if (it == m_buttonAssignments.end())
        it = m_buttonAssignments.emplace(button, AssignmentRecord::Empty()).first;
    out = it->second;
}

bool CMouseProfile::HasClickAssignment() const
{
    for (const auto& entry : m_buttonAssignments)
        if (entry.second.type == kFnClick)
            return true;
    if (m_keyMode == 1)
        for (const auto& entry : m_keyAssignments)
            if (entry.second.type == kFnClick)
                return true;
    return false;
}
