#include "MouseConfig.h"
#include "ThumbKeyDefaults.h"
#include "VeskProfile.h"

namespace {

// The buttons' own functions; a button not listed reads as type -1.
const std::map<int, AssignmentRecord>& StaticButtonDefaults()
{
    static const std::map<int, AssignmentRecord> table = {
        {1, AssignmentRecord::OfType(kFnClick)},
        {2, AssignmentRecord::OfType(kFnMenu)},
        {3, AssignmentRecord::OfType(kFnUniversalScrolling)},
        {4, AssignmentRecord::OfType(kFnBackward)},
        {5, AssignmentRecord::OfType(kFnForward)},
        {12, AssignmentRecord::OfType(kFnScrollUp)},
        {13, AssignmentRecord::OfType(kFnScrollDown)},
    };
    return table;
}

}  // namespace

template <class P>
const int CMouseConfig<P>::kDefaultStages[5] = {800, 1200, 1800, 4000, 5600};

template <class P>
CMouseConfig<P>::CMouseConfig()
{
    StaticButtonDefaults();
}

template <class P>
uint32_t CMouseConfig<P>::GetThumbKeyHash(int buttonId, int keypad)
{
    return ThumbGridKeyHash(buttonId, keypad == 1);
}

template <class P>
void CMouseConfig<P>::FillDefaultStageEntries(StageEntryList& list)
{
    int first = list.count < 0 ? 0 : list.count;
    for (int i = first; i < StageEntryList::kEntries; ++i) {
        StageEntry& e = list.entries[i];
        e.value = e.x = e.y = kDefaultStages[i];
        e.flags[0] = e.flags[1] = e.flags[2] = 0;
    }
}

// Later steps overwrite earlier ones, so the order matters.
template <class P>
void CMouseConfig<P>::ResetToDefaults(IMouseProfile* profile)
{
    IMouseProfile* p = Pick(profile);
    if (p) {
        ResetProfileValues(p);
        // The display flag is set for all profiles at once on the profiles
        // page: the restored one follows the active profile, as all do.
        this->SetProfileOsdAll(this->GetProfileOsd(nullptr));
    } else {
        this->SetProfileOsdAll(1);
    }
    SetPollingRateIndex(1);
    SetAcceleration(5);
    SetAccelerationEnabled(0);
    SetReducedBrightness(33);
    SetIdleToSleepSeconds(180);
    SetFlashWarningLevel(5);
}

template <class P>
void CMouseConfig<P>::SetNewProfileDefaults(IMouseProfile* profile)
{
    if (!profile)
        return;
    ResetProfileValues(profile);
    // Like the others, it shows the profile display as the active one does;
    // the other profiles keep their flag.
    this->SetProfileOsd(this->GetProfileOsd(nullptr), profile);
}

template <class P>
void CMouseConfig<P>::ResetProfileValues(IMouseProfile* p)
{
    if (!p)
        return;
    static const int kButtons[] = {1, 2, 3, 5, 4, 12, 13};
    for (int button : kButtons) {
        AssignmentRecord r;
        GetStaticButtonDefault(r, button);
        SetButtonAssignment(button, r, p);
    }
    for (int keypad = 0; keypad <= 1; ++keypad) {
        for (int button = kThumbGridFirstButton; button <= kThumbGridLastButton; ++button) {
            uint32_t key = GetThumbKeyHash(button, keypad);
            AssignmentRecord r;
            GetDefaultKeyRecord(r, key);
            this->SetKeyAssignment((int)key, r, p);
        }
    }
    SetKeyMode(1, p);
    SetDpiRange(100, 5600, 100, p);
    SetCurrentStage(3, p);
    for (int stage = 1; stage <= 5; ++stage) {
        SetStageValue(stage, (uint32_t)kDefaultStages[stage - 1], p);
        SetStageFlag(stage, 0, p);
    }
    SetStageCount(5, p);
    SetXYSeparate(0, p);
    SetDpi(1800, p);
    this->SetZoneOn(0, 1, p);
    this->SetZoneOn(3, 1, p);
    SetDpiOsd(1, p);
    this->SetZoneColor(0, 0xFF0000, p);
    this->SetZoneLevel(0, 100, p);
    this->SetZoneEffect(0, 5, p);
    this->SetLinkedAppPath(L"", p);
    this->SetAppLinkEnabled(0, p);
}

// A null profile sets the profile-less stages, not the active profile's.
template <class P>
bool CMouseConfig<P>::SetStageCapacity(uint32_t n, IMouseProfile* profile)
{
    if (n == 0)
        return false;
    if (profile)
        return profile->SetStageCapacity(n);
    if (n > CMouseProfile::kMaxStages)
        n = CMouseProfile::kMaxStages;
    m_plStages.values.reset(new uint32_t[n]());
    m_plStages.x.reset(new uint32_t[n]());
    m_plStages.y.reset(new uint32_t[n]());
    m_plCapacity = n;
    return true;
}

template <class P>
void CMouseConfig<P>::SetAccelerationRange(int min, int max)
{
    m_accelerationMin = (uint32_t)min;
    m_accelerationMax = (uint32_t)max;
}

template <class P>
void CMouseConfig<P>::SetPollingRates(const std::vector<int>& rates)
{
    m_pollingRateCount = (uint32_t)(rates.size() < 5 ? rates.size() : 5);
    for (uint32_t i = 0; i < m_pollingRateCount; ++i)
        m_pollingRates[(int)i] = rates[i];
}

template <class P>
void CMouseConfig<P>::ResetBatteryLevelRange()
{
    m_batteryMin = 0;
    m_batteryMax = 100;
}

template <class P>
void CMouseConfig<P>::SetStageCount(uint32_t n, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetStageCount(n);
    m_plStageCount = n < m_plCapacity ? n : m_plCapacity;
}

template <class P>
uint32_t CMouseConfig<P>::GetStageCapacity(IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageCapacity() : m_plCapacity;
}

template <class P>
uint32_t CMouseConfig<P>::GetStageCount(IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageCount() : m_plStageCount;
}

template <class P>
void CMouseConfig<P>::SetStageFlag(int stage, uint8_t flag, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetStageFlag(stage, flag);
    m_plFlag = flag;
}

template <class P>
uint8_t CMouseConfig<P>::GetStageFlag(int stage, IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageFlag(stage) : m_plFlag;
}

template <class P>
void CMouseConfig<P>::SetAcceleration(int value)
{
    // Signed, so a negative value meets the minimum rather than wrapping.
    long long v = value;
    if (v > (long long)m_accelerationMax)
        v = m_accelerationMax;
    if (v < (long long)m_accelerationMin)
        v = m_accelerationMin;
    m_acceleration = (uint32_t)v;
}

template <class P>
void CMouseConfig<P>::SetCurrentStage(uint32_t n, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetCurrentStage(n);
    if (m_plCapacity == 0)
        m_plCurrentStage = 0;
    else if (n < m_plCapacity)
        m_plCurrentStage = (int)n - 1;
    else
        m_plCurrentStage = (int)m_plCapacity - 1;
}

template <class P>
int CMouseConfig<P>::GetCurrentStage(IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetCurrentStage() : m_plCurrentStage + 1;
}

template <class P>
void CMouseConfig<P>::StoreProfileless(std::unique_ptr<uint32_t[]>& array, int stage, uint32_t value)
{
    int i = CMouseProfile::ResolveStage(stage, m_plCapacity);
    if (array && i >= 0)
        array[(size_t)i] = CMouseProfile::ClampToRange(value, m_plDpiMin, m_plDpiMax);
}

template <class P>
uint32_t CMouseConfig<P>::ReadProfileless(const std::unique_ptr<uint32_t[]>& array, int stage) const
{
    int i = CMouseProfile::ResolveStage(stage, m_plCapacity);
    return array && i >= 0 ? array[(size_t)i] : 0;
}

template <class P>
void CMouseConfig<P>::SetStageValue(int stage, uint32_t value, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetStageValue(stage, value);
    StoreProfileless(m_plStages.values, stage, value);
}

template <class P>
uint32_t CMouseConfig<P>::GetStageValue(int stage, IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageValue(stage) : ReadProfileless(m_plStages.values, stage);
}

template <class P>
void CMouseConfig<P>::SetStageX(int stage, uint32_t value, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetStageX(stage, value);
    StoreProfileless(m_plStages.x, stage, value);
}

template <class P>
uint32_t CMouseConfig<P>::GetStageX(int stage, IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageX(stage) : ReadProfileless(m_plStages.x, stage);
}

template <class P>
void CMouseConfig<P>::SetStageY(int stage, uint32_t value, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetStageY(stage, value);
    StoreProfileless(m_plStages.y, stage, value);
}

template <class P>
uint32_t CMouseConfig<P>::GetStageY(int stage, IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetStageY(stage) : ReadProfileless(m_plStages.y, stage);
}

template <class P>
void CMouseConfig<P>::SetXYSeparate(uint8_t on, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetXYSeparate(on);
    m_plFlag = on;
}

template <class P>
uint8_t CMouseConfig<P>::GetXYSeparate(IMouseProfile* profile) const
{
    IMouseProfile* p = Pick(profile);
    return p ? p->GetXYSeparate() : m_plFlag;
}

template <class P>
void CMouseConfig<P>::SetDpiRange(uint32_t min, uint32_t max, uint32_t step, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->SetDpiRange(min, max, step);
    m_plDpiMin = min;
    m_plDpiMax = max;
    m_plDpiStep = step;
}

template <class P>
bool CMouseConfig<P>::GetDpiRange(uint32_t& min, uint32_t& max, uint32_t& step, IMouseProfile* profile) const
{
    if (IMouseProfile* p = Pick(profile))
        return p->GetDpiRange(min, max, step);
    min = m_plDpiMin;
    max = m_plDpiMax;
    step = m_plDpiStep;
    return true;
}

template <class P>
void CMouseConfig<P>::GetButtonAssignment(AssignmentRecord& out, int button, IMouseProfile* profile)
{
    if (IMouseProfile* p = Pick(profile))
        p->GetButtonAssignment(out, button);
    else
        out = AssignmentRecord::Empty();
}

template <class P>
void CMouseConfig<P>::GetStaticButtonDefault(AssignmentRecord& out, int button) const
{
    const auto& table = StaticButtonDefaults();
    auto it = table.find(button);
    out = it == table.end() ? AssignmentRecord::Empty() : it->second;
}

template <class P>
void CMouseConfig<P>::GetDefaultKeyRecord(AssignmentRecord& out, uint32_t key) const
{
    out = DefaultKeyRecord(key);
}

template <class P>
void CMouseConfig<P>::SetBatteryLevel(uint32_t level)
{
    m_batteryLevel = CMouseProfile::ClampToRange(level, m_batteryMin, m_batteryMax);
}

template <class P>
void CMouseConfig<P>::SetFlashWarningLevel(uint32_t level)
{
    m_flashWarningLevel = CMouseProfile::ClampToRange(level, m_batteryMin, m_batteryMax);
}

template <class P>
void CMouseConfig<P>::SetReducedBrightness(uint32_t percent)
{
    m_reducedBrightness = percent > 100 ? 100 : percent;
}

template class CMouseConfig<CVeskProfile>;
