#include "VeskProfile.h"
#include <algorithm>
#include <iterator>

namespace {

// The wheel directions take only these functions; every other button and
// every thumb key the second list.
const int kWheelTypes[] = {kFnMacroByGuid, kFnStageUp, kFnStageDown, kFnScrollUp, kFnScrollDown, kFnButtonOff};
const int kButtonTypes[] = {kFnClick, kFnMenu, kFnUniversalScrolling, kFnDoubleClick, kFnMacroByGuid,
                            kFnStageUp, kFnStageDown, kFnForward, kFnBackward, kFnOnTheFlySensitivity,
                            kFnSingleKey, kFnProfileByGuid, kFnScrollUp, kFnScrollDown, kFnButtonOff,
                            kFnDefaultKey};

bool IsWheelButton(int button) { return button == 12 || button == 13; }

template <size_t N>
bool Contains(const int (&list)[N], int type)
{
    return std::find(std::begin(list), std::end(list), type) != std::end(list);
}

}  // namespace

CVeskProfile::CVeskProfile(const CVeskProfile& source) : IMouseProfile(), CMouseProfile()
{
    CopyFrom(source);
    m_snapshots[0] = source.m_snapshots[0];
    m_snapshots[1] = source.m_snapshots[1];
    m_snapshots[0].valid = false;
    m_snapshots[1].valid = false;
}

bool CVeskProfile::IsFunctionTypeAllowed(int type, int button) const
{
    // A by-name record stands for its by-GUID type until it is written.
    if (type == kFnProfileByName)
        type = kFnProfileByGuid;
    else if (type == kFnMacroByName)
        type = kFnMacroByGuid;
    else if (type == kFnLaunchByName)
        type = kFnLaunchByGuid;
    return IsWheelButton(button) ? Contains(kWheelTypes, type) : Contains(kButtonTypes, type);
}

void CVeskProfile::GetAllowedFunctionTypes(std::vector<int>& out, int button) const
{
    out.clear();
    if (IsWheelButton(button))
        out.assign(std::begin(kWheelTypes), std::end(kWheelTypes));
    else
        out.assign(std::begin(kButtonTypes), std::end(kButtonTypes));
}

LightSnapshot* CVeskProfile::Snapshot(int block)
{
    return block == 1 || block == 2 ? &m_snapshots[block - 1] : nullptr;
}

bool CVeskProfile::SaveLightSnapshot(int block)
{
    LightSnapshot* s = Snapshot(block);
    if (!s)
        return false;
    s->valid = true;
    s->effectIs5 = GetZoneEffect(0) == 5;
    s->zone0Level = (int)GetZoneLevel(0);
    s->zone0Color = GetZoneColor(0);
    s->zone3On = GetZoneOn(3) != 0;
    s->zone0On = GetZoneOn(0) != 0;
    return true;
}

bool CVeskProfile::ApplyLightSnapshot(int block)
{
    LightSnapshot* s = Snapshot(block);
    if (!s || !s->valid)
        return false;
    SetZoneEffect(0, s->effectIs5 ? 5 : 0);
    SetZoneLevel(0, (uint32_t)s->zone0Level);
    SetZoneColor(0, s->zone0Color);
    SetZoneOn(3, s->zone3On ? 1 : 0);
    SetZoneOn(0, s->zone0On ? 1 : 0);
    return true;
}
