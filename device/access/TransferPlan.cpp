#include "TransferPlan.h"

#include "DeviceDescriptor.h"
#include "GenDevice.h"

TransferPlan PlanTransfer(const DeviceDescriptor& model, int direction, uint32_t mask)
{
    TransferPlan plan;
    const bool write = direction == kTransferWrite;
    if (!write && direction != kTransferRead)
        return plan;
    if (write)
        mask &= 0xFFFF;
    auto with = [&](uint32_t code, uint32_t bit) { return (mask & bit) && model.HasFeature(code); };

    const bool hasProfiles = model.HasFeature(kCodeProfiles);
    // Writes always bring the device's profile list to the configuration's;
    // reads walk it only when a per-profile feature was asked for.
    plan.profiles = hasProfiles && (write || (mask & kMaskProfileBits));
    if (plan.profiles) {
        plan.properties = with(kCodeProperties, kMaskProperties);
        plan.sensitivity = with(kCodeSensitivity, kMaskSensitivity);
        plan.buttons = with(kCodeButtons, kMaskButtons);
        plan.keys = with(kCodeKeys, kMaskKeys);
        plan.lighting = with(kCodeLighting, kMaskLighting);
    }
    plan.acceleration = with(kCodeAcceleration, kMaskAcceleration);
    plan.reportRate = with(kCodeReportRate, kMaskReportRate);
    plan.macros = with(kCodeMacros, kMaskMacros);
    plan.powerSettings = with(kCodePowerSettings, kMaskPowerSettings);
    if (write) {
        plan.setActiveProfile = hasProfiles && (mask & kMaskProfileBits);
    } else {
        plan.battery = with(kCodePowerStatus, kMaskBattery);
        plan.unitVersion = with(kCodeUnitVersion, kMaskUnitVersion);
    }
    return plan;
}
