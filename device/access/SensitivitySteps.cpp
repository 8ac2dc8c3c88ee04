// The sensitivity of one profile: its stages, current stage, sensitivity
// values and the limits the device gives them.
#include <algorithm>

#include "CoTaskMem.h"
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"

namespace featuresteps {

bool ReadStageLimits(IProfile* device, IMouseConfig& config, IMouseProfile* profile)
{
    if (!profile)
        return false;
    ComPtr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(device);
    DpiCapacity capacity = {};
    if (!dpi || FAILED(dpi->GetCapacity(&capacity)))
        return false;
    if (capacity.capacity == 0 || !config.SetStageCapacity(capacity.capacity, profile))
        return false;
    ULONG minimum = 0, maximum = 0, step = 0;
    if (FAILED(dpi->GetRange(&minimum, &maximum, &step)) || minimum > maximum)
        return false;
    config.SetDpiRange(minimum, maximum, step, profile);
    return true;
}

bool WriteSensitivity(IProfile* device, IMouseConfig& config, IMouseProfile* profile)
{
    if (!profile)
        return false;
    ComPtr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(device);
    if (!dpi)
        return false;
    uint32_t n = config.GetStageCount(profile);
    CoTaskPtr<DpiStage> block;
    *block.Out() = static_cast<DpiStage*>(CoTaskMemAlloc((n ? n : 1) * sizeof(DpiStage)));
    if (!block)
        return false;
    for (uint32_t i = 0; i < n; ++i) {
        int s = (int)i + 1;
        if (config.GetStageFlag(s, profile))
            block.Get()[i] = {config.GetStageX(s, profile), config.GetStageY(s, profile)};
        else
            block.Get()[i] = {config.GetStageValue(s, profile), config.GetStageValue(s, profile)};
    }
    // Every refused send fails the step, so a stage list the device did not
    // take is never reported as written.
    bool ok = SUCCEEDED(dpi->SetStages(n, block.Get()));
    block.Reset();

    ULONG current = 0;
    int wanted = config.GetCurrentStage(profile);
    if (SUCCEEDED(dpi->GetCurrentStage(&current)) && (int)current != wanted)
        ok = SUCCEEDED(dpi->SetCurrentStage((ULONG)wanted)) && ok;

    ULONG x, y;
    if (config.GetXYSeparate(profile)) {
        x = (ULONG)config.GetDpiX(profile);
        y = (ULONG)config.GetDpiY(profile);
    } else {
        x = y = (ULONG)config.GetDpi(profile);
    }
    return SUCCEEDED(dpi->SetDpi(x, y)) && ok;
}

bool ReadSensitivity(IProfile* device, IMouseConfig& config, IMouseProfile* profile)
{
    if (!profile)
        return false;
    ComPtr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(device);
    if (!dpi)
        return false;
    // Everything is read before anything is stored: a failed read leaves
    // the profile as it was, so a later write cannot send zeros.
    ULONG count = 0;
    CoTaskPtr<DpiStage> block;
    if (FAILED(dpi->GetStages(&count, block.Out())))
        return false;
    if (count > config.GetStageCapacity(profile) ||
        (count && (!block || CoTaskMemSize(block.Get()) / sizeof(DpiStage) < count)))
        return false;
    ULONG x = 0, y = 0, current = 0;
    if (FAILED(dpi->GetDpi(&x, &y)) || FAILED(dpi->GetCurrentStage(&current)))
        return false;

    for (ULONG i = 0; i < count; ++i) {
        int s = (int)i + 1;
        const DpiStage& st = block.Get()[i];
        if (st.x == st.y) {
            config.SetStageFlag(s, 0, profile);
            config.SetStageValue(s, st.x, profile);
            config.SetStageX(s, st.x, profile);
            config.SetStageY(s, st.x, profile);
        } else {
            config.SetStageFlag(s, 1, profile);
            config.SetStageX(s, st.x, profile);
            config.SetStageY(s, st.y, profile);
            config.SetStageValue(s, std::min(st.x, st.y), profile);
        }
    }
    config.SetCurrentStage(current, profile);
    config.SetXYSeparate(x != y ? 1 : 0, profile);
    config.SetDpiX((int)x, profile);
    config.SetDpiY((int)y, profile);
    config.SetDpi((int)std::min(x, y), profile);
    config.SetStageCount(count, profile);
    return true;
}

}  // namespace featuresteps
