#include "PerformanceRules.h"

#include <algorithm>
#include <climits>

namespace {

struct DpiRange {
    int min = 0, max = 0, step = 1;
};

DpiRange RangeOf(const IMouseConfig& config)
{
    uint32_t min = 0, max = 0, step = 0;
    config.GetDpiRange(min, max, step, nullptr);
    DpiRange r;
    r.min = (int)std::min<uint32_t>(min, INT_MAX);
    r.max = (int)std::min<uint32_t>(max, INT_MAX);
    r.step = step == 0 ? 1 : (int)std::min<uint32_t>(step, INT_MAX);
    if (r.max < r.min)
        r.max = r.min;
    return r;
}

}  // namespace

int SensitivityStep(const IMouseConfig& config)
{
    return RangeOf(config).step;
}

SliderSpan SensitivitySliderSpan(const IMouseConfig& config)
{
    DpiRange r = RangeOf(config);
    return {r.min / r.step, r.max / r.step};
}

int SliderToSensitivity(const IMouseConfig& config, int sliderValue)
{
    DpiRange r = RangeOf(config);
    long long v = (long long)sliderValue * r.step;
    return (int)std::clamp<long long>(v, r.min, r.max);
}

int SensitivityToSlider(const IMouseConfig& config, int sensitivity)
{
    DpiRange r = RangeOf(config);
    SliderSpan s = SensitivitySliderSpan(config);
    return std::clamp(sensitivity / r.step, s.min, s.max);
}

SliderSpan AccelerationSliderSpan(const IMouseConfig& config)
{
    SliderSpan s;
    s.min = (int)std::min<uint32_t>(config.GetAccelerationMin(), INT_MAX);
    s.max = std::max(s.min, (int)std::min<uint32_t>(config.GetAccelerationMax(), INT_MAX));
    return s;
}

bool ChangeXYSeparate(IMouseConfig& config, bool on)
{
    if ((config.GetXYSeparate(nullptr) != 0) == on)
        return false;
    config.SetXYSeparate(on ? 1 : 0, nullptr);
    int dpi = config.GetDpi(nullptr);
    int x = config.GetDpiX(nullptr);
    int y = config.GetDpiY(nullptr);
    if (on) {
        x = dpi;
        y = dpi;
    } else {
        dpi = x;
    }
    config.SetDpi(dpi, nullptr);
    config.SetDpiX(x, nullptr);
    config.SetDpiY(y, nullptr);
    return true;
}

int OfferedReportRates(const IMouseConfig& config)
{
    return (int)std::min<uint32_t>(config.GetPollingRateCount(), 3);
}

CString ReportRateCaption(int rate, const CString& unit)
{
    CString text;
    text.Format(L"%d %s", rate, unit.GetString());
    return text;
}

DpiStagesModel BuildStagesModel(const IMouseConfig& config)
{
    DpiStagesModel m;
    DpiRange r = RangeOf(config);
    m.minimum = r.min;
    m.maximum = r.max;
    m.step = r.step;
    int capacity = (int)std::min<uint32_t>(config.GetStageCapacity(nullptr), 10);
    if (capacity <= 0) {
        m.stageCount = 0;
        m.currentStage = 0;
        return m;
    }
    m.stageCount = std::clamp((int)std::min<uint32_t>(config.GetStageCount(nullptr), 10), 1, capacity);
    m.currentStage = std::clamp(config.GetCurrentStage(nullptr), 1, m.stageCount);
    for (int n = 1; n <= capacity; ++n) {
        DpiStageEntry e;
        e.value = (int)config.GetStageValue(n, nullptr);
        e.x = (int)config.GetStageX(n, nullptr);
        e.y = (int)config.GetStageY(n, nullptr);
        e.selected = n == m.currentStage ? 1 : 0;
        e.enabled = n <= m.stageCount ? 1 : 0;
        e.separateXY = config.GetStageFlag(n, nullptr);
        m.stages.push_back(e);
    }
    return m;
}

void StoreStagesModel(IMouseConfig& config, const DpiStagesModel& model)
{
    if (model.stages.empty())
        return;
    config.SetStageCount((uint32_t)std::max(model.stageCount, 1), nullptr);
    for (size_t i = 0; i < model.stages.size(); ++i) {
        const DpiStageEntry& e = model.stages[i];
        int n = (int)i + 1;
        config.SetStageValue(n, (uint32_t)e.value, nullptr);
        config.SetStageX(n, (uint32_t)e.x, nullptr);
        config.SetStageY(n, (uint32_t)e.y, nullptr);
        config.SetStageFlag(n, e.separateXY, nullptr);
        if (n == model.currentStage) {
            config.SetCurrentStage((uint32_t)n, nullptr);
            config.SetDpi(e.value, nullptr);
            config.SetDpiX(e.x, nullptr);
            config.SetDpiY(e.y, nullptr);
            config.SetXYSeparate(e.separateXY, nullptr);
        }
    }
}
