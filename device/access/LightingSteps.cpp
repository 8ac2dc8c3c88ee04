// The lighting zones of one profile: on or off, colour, brightness and
// effect, zone by zone as the device lists them.
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"
#include "FunctionCodeMaps.h"

namespace featuresteps {

namespace {

// Far more zones than any device has (their ids run 1 to 11).
const LONG kMaxZones = 64;

// Effects 1 to 5 are the device's; anything else goes and reads as none.
int KnownEffect(long long effect)
{
    return effect >= 1 && effect <= 5 ? (int)effect : 0;
}

// Calls f(zone, index) for each zone whose id reads; false when the zones
// cannot be taken, a zone's id cannot be read or f fails for a zone.
template <class F>
bool ForEachZone(IProfile* device, F f)
{
    ComPtr<ILightingZones> zones = ProfileFeature<ILightingZones>(device);
    if (!zones)
        return false;
    bool ok = true;
    for (LONG i = 0;; ++i) {
        // A list that does not end is no list of zones.
        if (i == kMaxZones)
            return false;
        ComPtr<ILightingZone> zone;
        if (FAILED(zones->Item(i, zone.Out())) || !zone)
            break;
        ULONG id = 0;
        if (FAILED(zone->GetId(&id))) {
            ok = false;
            continue;
        }
        ok = f(zone, FunctionCodeMaps::ZoneIndexFromId(id)) && ok;
    }
    return ok;
}

}  // namespace

bool WriteLighting(IProfile* device, IMouseConfig& config, IMouseProfile* profile)
{
    if (!profile)
        return false;
    return ForEachZone(device, [&](const ComPtr<ILightingZone>& zone, int z) {
        bool ok = SUCCEEDED(config.GetZoneOn(z, profile) ? zone->TurnOn() : zone->TurnOff());
        // A zone without one of these parts skips that part.
        if (ComPtr<IZoneColorValue> colour = zone.As<IZoneColorValue>())
            ok = SUCCEEDED(colour->Set((ULONG)config.GetZoneColor(z, profile))) && ok;
        if (ComPtr<IZoneBrightness> level = zone.As<IZoneBrightness>())
            ok = SUCCEEDED(level->Set(config.GetZoneLevel(z, profile))) && ok;
        if (ComPtr<IZoneEffect> effect = zone.As<IZoneEffect>())
            ok = SUCCEEDED(effect->Set((ULONG)KnownEffect(config.GetZoneEffect(z, profile)), 0, 0)) && ok;
        return ok;
    });
}

bool ReadLighting(IProfile* device, IMouseConfig& config, IMouseProfile* profile)
{
    if (!profile)
        return false;
    return ForEachZone(device, [&](const ComPtr<ILightingZone>& zone, int z) {
        bool ok = true;
        LONG on = 0;
        if (SUCCEEDED(zone->IsOn(&on)))
            config.SetZoneOn(z, on ? 1 : 0, profile);
        else
            ok = false;
        if (ComPtr<IZoneBrightness> level = zone.As<IZoneBrightness>()) {
            ULONG value = 0;
            if (SUCCEEDED(level->Get(&value)) && value <= 100)
                config.SetZoneLevel(z, value, profile);
            else
                ok = false;
        }
        if (ComPtr<IZoneColorValue> colour = zone.As<IZoneColorValue>()) {
            ULONG value = 0;
            if (SUCCEEDED(colour->Get(&value)) && value <= 0xFFFFFF)
                config.SetZoneColor(z, (int)value, profile);
            else
                ok = false;
        }
        if (ComPtr<IZoneEffect> effect = zone.As<IZoneEffect>()) {
            ULONG value = 0, v1 = 0, v2 = 0;
            if (SUCCEEDED(effect->Get(&value, &v1, &v2)))
                config.SetZoneEffect(z, KnownEffect(value), profile);
            else
                ok = false;
        }
        return ok;
    });
}

}  // namespace featuresteps
