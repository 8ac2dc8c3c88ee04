// Device-wide settings: acceleration, report rate, battery and power.
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"

namespace featuresteps {

namespace {

// Report-rate index (2 the fastest) <-> polling interval in ms.
struct RateStep {
    int index;
    ULONG interval;
};
const RateStep kRateSteps[] = {{2, 1}, {1, 2}, {0, 8}};

// value / span x 100 and back, in whole numbers; a zero span gives 0.
LONG ScaleToPercent(uint32_t value, uint32_t span)
{
    return span ? (LONG)((double)value / span * 100.0) : 0;
}
uint32_t ScaleFromPercent(LONG percent, uint32_t span)
{
    return (uint32_t)((double)percent / 100.0 * span);
}

uint32_t BatterySpan(const IMouseConfig& config)
{
    uint32_t min = config.GetBatteryLevelMin(), max = config.GetBatteryLevelMax();
    return max > min ? max - min : 0;
}

}  // namespace

bool WriteAcceleration(IDevice* device, IMouseConfig& config)
{
    ComPtr<IDeviceSwitches> switches = DeviceFeature<IDeviceSwitches>(device);
    if (!switches || FAILED(switches->SetValue(config.GetAcceleration())))
        return false;
    return SUCCEEDED(config.GetAccelerationEnabled() ? switches->Enable() : switches->Disable());
}

bool ReadAcceleration(IDevice* device, IMouseConfig& config)
{
    ComPtr<IDeviceSwitches> switches = DeviceFeature<IDeviceSwitches>(device);
    if (!switches)
        return false;
    bool ok = true;
    LONG value = 0, enabled = 0;
    if (SUCCEEDED(switches->GetValue(&value)))
        config.SetAcceleration(value);
    else
        ok = false;
    if (SUCCEEDED(switches->IsEnabled(&enabled)))
        config.SetAccelerationEnabled(enabled ? 1 : 0);
    else
        ok = false;
    return ok;
}

bool WriteReportRate(IDevice* device, IMouseConfig& config)
{
    int index = config.GetPollingRateIndex();
    for (const RateStep& r : kRateSteps) {
        if (r.index != index)
            continue;
        ComPtr<IReportRate> rate = DeviceFeature<IReportRate>(device);
        return rate && SUCCEEDED(rate->Set(r.interval));
    }
    return false;  // no interval for that index: nothing is sent
}

bool ReadReportRate(IDevice* device, IMouseConfig& config)
{
    ComPtr<IReportRate> rate = DeviceFeature<IReportRate>(device);
    ULONG interval = 0;
    if (!rate || FAILED(rate->Get(&interval)))
        return false;
    int index = -1;
    for (const RateStep& r : kRateSteps)
        if (r.interval == interval)
            index = r.index;
    config.SetPollingRateIndex(index);
    return true;
}

bool ReadBattery(IDevice* device, IMouseConfig& config)
{
    ComPtr<IPowerStatus> power = DeviceFeature<IPowerStatus>(device);
    if (!power) {
        config.SetBatteryState(-1);
        return false;
    }
    bool ok = true;
    LONG level = ScaleToPercent(config.GetBatteryLevel(), BatterySpan(config));
    if (SUCCEEDED(power->GetLevel(&level)) && level >= (LONG)config.GetBatteryLevelMin() &&
        level <= (LONG)config.GetBatteryLevelMax())
        config.SetBatteryLevel((uint32_t)level);
    else
        ok = false;
    LONG state = -1;
    if (FAILED(power->GetState(&state)) || state < 0 || state > 2) {
        config.SetBatteryState(-1);
        ok = false;
    } else {
        config.SetBatteryState(state);
    }
    return ok;
}

bool WritePowerSettings(IDevice* device, IMouseConfig& config)
{
    ComPtr<IPowerSettings> power = DeviceFeature<IPowerSettings>(device);
    if (!power)
        return false;
    bool ok = SUCCEEDED(power->SetWarningLevel((LONG)config.GetFlashWarningLevel()));
    ok = SUCCEEDED(power->SetReducedBrightness((LONG)config.GetReducedBrightness())) && ok;
    ok = SUCCEEDED(power->SetIdleSeconds((LONG)config.GetIdleToSleepSeconds())) && ok;
    return ok;
}

bool ReadPowerSettings(IDevice* device, IMouseConfig& config)
{
    ComPtr<IPowerSettings> power = DeviceFeature<IPowerSettings>(device);
    if (!power)
        return false;
    bool ok = true;
    LONG value = 0;
    // Negative answers are no settings at all; they leave the values.
    if (SUCCEEDED(power->GetWarningLevel(&value)) && value >= 0)
        config.SetFlashWarningLevel(ScaleFromPercent(value, BatterySpan(config)));
    else
        ok = false;
    if (SUCCEEDED(power->GetReducedBrightness(&value)) && value >= 0)
        config.SetReducedBrightness((uint32_t)value);
    else
        ok = false;
    if (SUCCEEDED(power->GetIdleSeconds(&value)) && value >= 0)
        config.SetIdleToSleepSeconds((uint32_t)value);
    else
        ok = false;
    return ok;
}

}  // namespace featuresteps
