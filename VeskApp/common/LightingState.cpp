#include "LightingState.h"

#include "ModelFlags.h"
#include "MouseConfigInterface.h"
#include "VeskProfile.h"

namespace {

constexpr int kZoneWheel = 0;
constexpr int kZoneLogo = 3;
constexpr int kEffectCycling = 5;

CVeskProfile* AsVesk(IMouseProfile* profile)
{
    return profile ? dynamic_cast<CVeskProfile*>(profile) : nullptr;
}

}  // namespace

bool ActiveLightingValues(const IMouseConfig& config, LightingValues& out)
{
    if (!config.GetActiveProfile())
        return false;
    out.level = config.GetZoneLevel(kZoneWheel, nullptr);
    out.colour = config.GetZoneColor(kZoneWheel, nullptr);
    out.effect = config.GetZoneEffect(kZoneWheel, nullptr);
    out.zone3On = config.GetZoneOn(kZoneLogo, nullptr) != 0;
    out.zone0On = config.GetZoneOn(kZoneWheel, nullptr) != 0;
    return true;
}

bool SaveLightSnapshot(IMouseProfile* profile, int block)
{
    CVeskProfile* p = AsVesk(profile);
    return p && p->SaveLightSnapshot(block);
}

bool ApplyLightSnapshot(IMouseProfile* profile, int block)
{
    CVeskProfile* p = AsVesk(profile);
    return p && p->ApplyLightSnapshot(block);
}

void CLightingState::Save(IMouseConfig& config, int modelFlag)
{
    IMouseProfile* active = config.GetActiveProfile();
    if (!active)
        return;
    SaveLightSnapshot(active, kAppliedSnapshot);
    if (IsWiredModel(modelFlag)) {
        m_zone3On = config.GetZoneOn(kZoneLogo, nullptr) != 0;
        m_zone0On = config.GetZoneOn(kZoneWheel, nullptr) != 0;
    } else {
        m_colour = config.GetZoneColor(kZoneWheel, nullptr);
        m_level = config.GetZoneLevel(kZoneWheel, nullptr);
        m_cycling = config.GetZoneEffect(kZoneWheel, nullptr) == kEffectCycling;
    }
    m_kept = true;
}

void CLightingState::Restore(IMouseConfig& config, int modelFlag)
{
    IMouseProfile* active = config.GetActiveProfile();
    if (!active)
        return;
    SaveLightSnapshot(active, kLiveSnapshot);
    if (!m_kept)
        return;
    if (IsWiredModel(modelFlag)) {
        config.SetZoneOn(kZoneLogo, m_zone3On ? 1 : 0, nullptr);
        config.SetZoneOn(kZoneWheel, m_zone0On ? 1 : 0, nullptr);
    } else {
        config.SetZoneColor(kZoneWheel, m_colour, nullptr);
        config.SetZoneLevel(kZoneWheel, m_level, nullptr);
        config.SetZoneEffect(kZoneWheel, m_cycling ? kEffectCycling : 0, nullptr);
    }
}

void PrepareSnapshotsForWrite(IMouseConfig& config)
{
    if (IMouseProfile* active = config.GetActiveProfile())
        SaveLightSnapshot(active, kLiveSnapshot);
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i)
        ApplyLightSnapshot(config.GetProfile(i), kLiveSnapshot);
}

void SettleSnapshotsAfterWrite(IMouseConfig& config)
{
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i)
        SaveLightSnapshot(config.GetProfile(i), kAppliedSnapshot);
}

bool RestoreAppliedLighting(IMouseConfig& config)
{
    return ApplyLightSnapshot(config.GetActiveProfile(), kAppliedSnapshot);
}
